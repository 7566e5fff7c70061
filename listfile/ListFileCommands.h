#pragma once

namespace tombolix {

class DrawList;
struct Services;

// "리스트 저장": writes the draw list to a list file in the program's folder.
void saveDrawList(const DrawList &list, const Services &services);

// "리스트 불러오기": appends a list file's entries to the draw list.
void loadDrawList(DrawList &list, const Services &services);

} // namespace tombolix
