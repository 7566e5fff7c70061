#pragma once

#include "core/Expected.h"

#include <QString>
#include <QStringList>

namespace tombolix {

class DrawList;
struct Services;

// "리스트 저장": writes the draw list to a list file in the program's folder.
void saveDrawList(const DrawList &list, const Services &services);

// "리스트 불러오기": appends a list file's entries to the draw list.
void loadDrawList(DrawList &list, const Services &services);

// The entries of the list file at `path`; or the warning its reader shows (a file missing,
// empty, spoiled, or no list file).
Expected<QStringList> readListFile(const QString &path);

// The file dialog of the program's list files, starting in its folder: the chosen file, or
// empty when the user cancelled.
QString chooseListFile(const Services &services);

// "제외 목록 적용…": removes, after asking, every entry that reads the same as a name of a
// list file (earlier winners, staff, a blocklist).
void applyExclusionList(DrawList &list, const Services &services);

} // namespace tombolix
