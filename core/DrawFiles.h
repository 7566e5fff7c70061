#pragma once

#include "core/BeaconRound.h"
#include "core/PublicDraw.h"
#include "core/Expected.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix::publicdraw {

// The public draw's two files, in UTF-8, every line ending "\n": a header of "key=value" lines
// (the first line the rule's name), a blank line, then the canonical list, one entry a line.

// A file's bytes as the readers below take them: UTF-8, a byte-order mark kept for them to take
// off (one only, as a participant's script does); nullopt when the bytes are not UTF-8.
std::optional<QString> decodeDrawFile(const QByteArray &bytes);

// An announcement file: the seed's lines but the randomness, the announcement code
// (announcement_sha256=A), the round's time, a blank line, then the canonical file. The first
// line names the rule that made it; files of the first rule are read by it.
struct Announcement {
    Terms terms;
    QStringList list;
};
QString announcementText(const Announcement &announcement);
// The announcement a file holds, checked whole (its list is canonical and is the one F names,
// the numbers agree, its code is its own), or what is wrong, naming the line. A file written
// before the code was added, without its line, is read too.
Expected<Announcement> parseAnnouncement(const QString &text);

// A result file: the seed's lines, the announcement code, the round's time, the round's
// signature, the relays that gave it ("pasted" when the user pasted it), the seed, the winners
// (ticket and entry), with prizes the winners each rank takes (rank.<p>=<first>-<last>\t<name>),
// the reserves, then the list.
struct Result {
    Announcement announcement;
    Round round;
    QStringList relays;
    Tickets tickets;
};
inline const char *pastedRound = "pasted";
Result decide(const Announcement &announcement, const Round &round, const QStringList &relays);
QString resultText(const Result &result);

} // namespace tombolix::publicdraw
