#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

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
// The post page, which carries its comments today; page 1 of its comments is the page itself,
// a further page N adds "&c_page=N" (as other readers of the site do: not verified).
QUrl postPageAddress(const QString &base, const QString &board, const QString &number, int commentPage = 1);

// The form of the log-in. The ID and the password go in form-encoded (their code page 949
// bytes, percent-encoded), so that &, =, + or % in a password reach the site as typed.
QByteArray loginBody(const QString &id, const QString &password);

// The site answers a good log-in with a page that points back at its front page. Today's
// answer is not known: the front page counts in either scheme.
bool loginSucceeded(const QString &answer, const QString &base);

} // namespace site
} // namespace tombolix
