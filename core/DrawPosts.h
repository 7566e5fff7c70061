#pragma once

#include "core/DrawFiles.h"
#include "core/Expected.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The texts the organiser pastes into the post on the site, in Korean: the announcement before the
// round, and the result after it. Entrants have the site's posts, not the files, so each post
// carries what a check needs, in lines that people read and the checks read alike: the terms a
// line each, the announcement's list (up to maxListedEntries entries), the round's signature and
// every winner with its ticket. A post is read back as a browser renders and copies it: lines are
// read made canonical as entries are (the site may add or drop blank lines and trailing blanks,
// collapse runs of blanks or turn them into no-break spaces, and end lines CR LF), so a changed
// entry still fails while what the site does to blanks does not.
namespace tombolix::publicdraw {

// The longest list an announcement post carries; a longer one stays in the announcement file.
inline constexpr int maxListedEntries = 2000;

// `madeBy`: how the list was made, a line each (by an import: the post's address, the deadline,
// what was left out), shown under a heading that says the file cannot prove it.
QString announcementPost(const Announcement &announced, const QStringList &madeBy = {});
QString resultPost(const Result &result);

// An announcement post as copied from the site, read: its terms, the code it states, and its
// list when it carries one. The terms give the code the post states, and the list the
// fingerprint it states, or the post is refused.
struct PostedAnnouncement {
    Terms terms;
    std::optional<QStringList> list;
    // where the list stands in the text read, from its heading to its end ("목록 끝" included)
    qsizetype listFrom = -1;
    qsizetype listTo = -1;
};
// nullopt when the text holds no announcement post at all (an older post, or another text);
// otherwise the post read, or what is wrong with it (in Korean, naming its line).
std::optional<Expected<PostedAnnouncement>> readAnnouncementPost(const QString &text);

// A result post as copied from the site: what it says was drawn, and by which round.
struct PostedTicket {
    int ticket = 0;
    QString entry;
    QString rank; // "1등 치킨", for a winner of a draw with prizes
    bool operator==(const PostedTicket &other) const {
        return ticket == other.ticket && entry == other.entry && rank == other.rank;
    }
};
struct PostedResult {
    QString code; // the announcement code it names
    qint64 round = 0;
    QString signature;
    QList<PostedTicket> winners;
    QList<PostedTicket> reserves;
};
std::optional<Expected<PostedResult>> readResultPost(const QString &text);
// What is said of a text too long to be a post (maxPostLength), which is not read.
QString tooLongForAPost();
// What the result post names, as the rule draws it: the winners and reserves of `result`.
PostedResult postedResult(const Result &result);

} // namespace tombolix::publicdraw
