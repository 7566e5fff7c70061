#include "core/PostAddress.h"

#include "core/Split.h"

namespace tombolix {

namespace {

// The text of the parameter's value: up to the first "&", or all of it.
QString beforeAmpersand(const QString &rest) {
    const qsizetype at = rest.indexOf(u'&');
    return at < 0 ? rest : rest.left(at);
}

} // namespace

PostAddress parsePostAddress(const QString &address) {
    PostAddress result;
    // exact and case-sensitive: "HTTP://" or a leading blank is not an address
    if (!address.startsWith(QStringLiteral("http://")) && !address.startsWith(QStringLiteral("https://")))
        return result;
    const std::optional<QString> numberRest = splitField(address, QStringLiteral("&no="), 1);
    if (!numberRest) {
        result.status = PostAddress::Status::NoNumber;
        return result;
    }
    result.number = beforeAmpersand(*numberRest).remove(u'#');
    const std::optional<QString> boardRest = splitField(address, QStringLiteral("?id="), 1);
    if (!boardRest) {
        result.status = PostAddress::Status::NoBoard;
        return result;
    }
    result.board = beforeAmpersand(*boardRest);
    result.status = PostAddress::Status::Ok;
    return result;
}

} // namespace tombolix
