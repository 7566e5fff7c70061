#include "core/Site.h"

#include "core/Cp949.h"

namespace tombolix::site {

namespace {

QByteArray formEncoded(const QString &text) {
    return toCp949(text).bytes.toPercentEncoding();
}

QUrl siteUrl(const QString &host, const QString &pathAndQuery) {
    return QUrl(QStringLiteral("http://") + host + pathAndQuery, QUrl::TolerantMode);
}

} // namespace

QString frontPage(const QString &host) {
    return QStringLiteral("http://") + host + QStringLiteral("/index.php");
}

QUrl loginAddress(const QString &host) {
    return siteUrl(host, QStringLiteral("/zboard/login_check.php"));
}

QUrl logoutAddress(const QString &host) {
    return siteUrl(host, QStringLiteral("/zboard/logout.php?&s_url=%2Findex.php"));
}

QUrl commentPageAddress(const QString &host, const QString &board, const QString &number) {
    return siteUrl(host,
                   QStringLiteral("/zboard/list_comment.php?id=") + board + QStringLiteral("&no=") + number);
}

QByteArray loginBody(const QString &id, const QString &password) {
    return QByteArray("s_url=%2Findex.php&secure1=1&user_id=") + formEncoded(id) + QByteArray("&password=") +
           formEncoded(password) + QByteArray("&x=0&y=0");
}

bool loginSucceeded(const QString &answer, const QString &host) {
    return answer.contains(frontPage(host));
}

} // namespace tombolix::site
