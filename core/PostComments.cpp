#include "core/PostComments.h"

#include "core/Text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tombolix {

namespace {

// The object literal that follows "initialCommentData =" in the page: from its '{' to the '}'
// that closes it, strings and their escapes skipped.
QStringView objectAfterMarker(const QString &page) {
    const QString marker = QStringLiteral("initialCommentData");
    for (qsizetype at = page.indexOf(marker); at >= 0; at = page.indexOf(marker, at + 1)) {
        qsizetype i = at + marker.size();
        while (i < page.size() && page.at(i).isSpace())
            ++i;
        if (i >= page.size() || page.at(i) != u'=')
            continue;
        ++i;
        while (i < page.size() && page.at(i).isSpace())
            ++i;
        if (i >= page.size() || page.at(i) != u'{')
            continue;
        const qsizetype start = i;
        int depth = 0;
        bool inString = false;
        for (; i < page.size(); ++i) {
            const QChar c = page.at(i);
            if (inString) {
                if (c == u'\\')
                    ++i;
                else if (c == u'"')
                    inString = false;
            } else if (c == u'"') {
                inString = true;
            } else if (c == u'{') {
                ++depth;
            } else if (c == u'}' && --depth == 0) {
                return QStringView(page).mid(start, i - start + 1);
            }
        }
        return {};
    }
    return {};
}

// The comments of an array and their replies, depth first: each reply right after its parent.
void collect(const QJsonArray &array, QList<PostComment> &into) {
    for (const QJsonValue &value : array) {
        const QJsonObject comment = value.toObject();
        into.append({markupText(comment.value(QStringLiteral("name")).toString()),
                     markupText(comment.value(QStringLiteral("memo")).toString())});
        collect(comment.value(QStringLiteral("sub_cmt")).toArray(), into);
    }
}

} // namespace

PostComments parsePostComments(const QString &page) {
    PostComments result;
    const QStringView object = objectAfterMarker(page);
    if (object.isEmpty())
        return result;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(object.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return result;
    const QJsonObject data = document.object();
    result.readable = true;
    result.totalPages = qBound(1, data.value(QStringLiteral("total_page")).toInt(1), maxCommentPages);
    collect(data.value(QStringLiteral("comments")).toArray(), result.comments);
    return result;
}

} // namespace tombolix
