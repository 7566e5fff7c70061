#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace tombolix {

// The requests of the site session, built from the site's host ("host" or "host:port").
namespace site {

QString frontPage(const QString &host);
QUrl loginAddress(const QString &host);
QUrl logoutAddress(const QString &host);
QUrl commentPageAddress(const QString &host, const QString &board, const QString &number);

// The form of the log-in. The ID and the password go in form-encoded (their code page 949
// bytes, percent-encoded), so that &, =, + or % in a password reach the site as typed.
QByteArray loginBody(const QString &id, const QString &password);

// The site answers a good log-in with a page that points back at its front page.
bool loginSucceeded(const QString &answer, const QString &host);

} // namespace site
} // namespace tombolix
