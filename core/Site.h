#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace tombolix {

// The site's requests, built from its base address: scheme and host, "https://www.ppomppu.co.kr"
// (tests hand in "http://127.0.0.1:port").
namespace site {

// The front page: the log-in's Referer, and what the answer to a good log-in points back at.
QString frontPage(const QString &base);
QUrl loginAddress(const QString &base);
QUrl logoutAddress(const QString &base);
// The comment list page of the site's older pages.
QUrl commentPageAddress(const QString &base, const QString &board, const QString &number);
// The post page, which carries its comments today, a page of them at a time: without a comment
// page it holds whichever page the site chooses (today the last); comment page N adds
// "&c_page=N", as other readers of the site do.
QUrl postPageAddress(const QString &base, const QString &board, const QString &number,
                     std::optional<int> commentPage = std::nullopt);

// The form of the log-in. The ID and the password go in form-encoded (their code page 949
// bytes, percent-encoded), so that &, =, + or % in a password reach the site as typed.
QByteArray loginBody(const QString &id, const QString &password);

// Who a page of the site is shown to, as its first script says: `var G_IS_GUEST = 1;` on a
// visitor's page. What a member's page says is not known: any other value counts as a member.
enum class Viewer { Unknown, Visitor, Member };
Viewer pageViewer(const QString &page);

// The older rule of a good log-in: its answer points back at the front page (in either scheme).
// Every page of today's site carries that address in its header, a refused log-in's page too,
// so it decides only when no page says who is looking.
bool pointsToFrontPage(const QString &answer, const QString &base);

// Whether the site took a log-in, as the page of its answer says: a member's page or a
// visitor's. nullopt when the page does not say who is looking; then the front page, asked
// with the session's cookies, says (the second form), and when that does not say either, the
// older rule decides.
std::optional<bool> loginTaken(const QString &answer);
bool loginTaken(const QString &answer, const QString &frontPage, const QString &base);

} // namespace site
} // namespace tombolix
