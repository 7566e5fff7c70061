#pragma once

#include "core/DrawFileReader.h"
#include "core/DrawFiles.h"
#include "core/DrawPosts.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix::publicdraw {

// A result file verified line by line against the rule, its round's signature checked against
// drand's public key: nullopt when every line is what the rule gives, else the first thing that
// differs, naming its line (in Korean). `relayNames` are the relays a result may name.
struct Verified {
    std::optional<Result> result; // what the file says, when it could be read
    std::optional<QString> problem;
};
Verified verifyResult(const QString &text, const QStringList &relayNames);
Verified verifyResult(const files::SplitFile &file, const QStringList &relayNames);

// Whether an announcement as the entrants have it, an announcement file or the text of the post
// as copied from the site, announces these terms: the file's terms are these, or the text holds
// their announcement code. nullopt when it does; otherwise why not (in Korean). `checked`: the
// result's announcement, verified, whose list an announcement file's need not be read again for.
std::optional<QString> announcementProblem(const QString &announcement, const Terms &terms,
                                           const Announcement *checked = nullptr);
// A result post as the entrants have it, against the announcement it names (with its list): every
// winner and reserve it names as the rule draws them from its round, the round's signature drand's
// own. nullopt when all hold; otherwise what differs (in Korean).
std::optional<QString> postedResultProblem(const PostedResult &posted, const Announcement &announced);
// The same, from the announcement as the entrants have it: an announcement file, or a post that
// carries the list. The draw it names, when all holds.
Verified verifyPostedResult(const PostedResult &posted, const QString &announcement);

// The terms as a participant compares them with the post by eye, a line each (in Korean).
QStringList termsLines(const Terms &terms);
// The prizes, "1등 1명 치킨, 2등 3명 커피" ("없음" without prizes).
QString prizesText(const Terms &terms);
// A draw of the first rule was read by that rule; its list may still hold entries that today's
// rule takes for one person (the first rule let blanks such as U+2800 through): those entries, by
// the groups they form. Empty for a draw of today's rule.
QList<QStringList> readAlikeToday(const Announcement &announced);
// What is said of such a draw: not a failure, since it is what its rule gives, and not a success.
QString readAlikeTodayText(const QList<QStringList> &groups);

// What no file can prove and every participant must look at: the announcement was posted, and
// not changed, before the round came out (in Korean).
QString postedBeforeRound(const Terms &terms);

} // namespace tombolix::publicdraw
