#include "core/Site.h"

#include "core/Cp949.h"
#include "core/Text.h"

namespace tombolix::site {

namespace {

QByteArray formEncoded(const QString &text) {
    return toCp949(text).bytes.toPercentEncoding();
}

QUrl siteUrl(const QString &base, const QString &pathAndQuery) {
    return QUrl(base + pathAndQuery, QUrl::TolerantMode);
}

} // namespace

QString frontPage(const QString &base) {
    return base + QStringLiteral("/index.php");
}

QUrl loginAddress(const QString &base) {
    return siteUrl(base, QStringLiteral("/zboard/login_check.php"));
}

QUrl logoutAddress(const QString &base) {
    return siteUrl(base, QStringLiteral("/zboard/logout.php?&s_url=%2Findex.php"));
}

QUrl commentPageAddress(const QString &base, const QString &board, const QString &number) {
    return siteUrl(base,
                   QStringLiteral("/zboard/list_comment.php?id=") + board + QStringLiteral("&no=") + number);
}

QUrl postPageAddress(const QString &base, const QString &board, const QString &number,
                     std::optional<int> commentPage) {
    QString address = QStringLiteral("/zboard/view.php?id=") + board + QStringLiteral("&no=") + number;
    if (commentPage)
        address += QStringLiteral("&c_page=") + QString::number(*commentPage);
    return siteUrl(base, address);
}

QByteArray loginBody(const QString &id, const QString &password) {
    return QByteArray("s_url=%2Findex.php&secure1=1&user_id=") + formEncoded(id) + QByteArray("&password=") +
           formEncoded(password) + QByteArray("&x=0&y=0");
}

Viewer pageViewer(const QString &page) {
    const std::optional<QString> guest = declaredValue(page, QStringLiteral("G_IS_GUEST"));
    if (!guest)
        return Viewer::Unknown;
    return *guest == u"1" || *guest == u"true" ? Viewer::Visitor : Viewer::Member;
}

bool pointsToFrontPage(const QString &answer, const QString &base) {
    QString plain = frontPage(base);
    if (plain.startsWith(QStringLiteral("https://")))
        plain.remove(4, 1); // the same address with http://
    return answer.contains(frontPage(base)) || answer.contains(plain);
}

std::optional<bool> loginTaken(const QString &answer) {
    switch (pageViewer(answer)) {
    case Viewer::Member:
        return true;
    case Viewer::Visitor:
        return false;
    case Viewer::Unknown:
        break;
    }
    return std::nullopt;
}

bool loginTaken(const QString &answer, const QString &frontPage, const QString &base) {
    if (const std::optional<bool> taken = loginTaken(answer))
        return *taken;
    if (const std::optional<bool> taken = loginTaken(frontPage))
        return *taken;
    return pointsToFrontPage(answer, base);
}

} // namespace tombolix::site
