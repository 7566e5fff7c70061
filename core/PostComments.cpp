#include "core/PostComments.h"

#include "core/Text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <map>

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

// A number or a numeric string of the object as text; empty for anything else.
QString numberText(const QJsonValue &value) {
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 17);
    return value.toString();
}

// The comments of an array and their replies, depth first: each reply right after its parent.
void collect(const QJsonArray &array, QList<PostComment> &into) {
    for (const QJsonValue &value : array) {
        const QJsonObject comment = value.toObject();
        into.append(
            {numberText(comment.value(QStringLiteral("no"))),
             markupText(comment.value(QStringLiteral("name")).toString()),
             markupText(comment.value(QStringLiteral("memo")).toString()),
             comment.value(QStringLiteral("anti_vote_btn"))
                 .toObject()
                 .value(QStringLiteral("troll_no"))
                 .toString(),
             comment.value(QStringLiteral("meta")).toObject().value(QStringLiteral("is_self")).toBool()});
        collect(comment.value(QStringLiteral("sub_cmt")).toArray(), into);
    }
}

// Which comment page the page holds, as its scripts say (never the comment form's hidden field,
// which says 1 on every page).
int shownPage(const QString &page) {
    for (const QString &name : {QStringLiteral("G_CMT_PAGE"), QStringLiteral("c_page")}) {
        bool ok = false;
        const int number = declaredValue(page, name).value_or(QString()).toInt(&ok);
        if (ok && number >= 0)
            return number;
    }
    return 1;
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
    result.page = shownPage(page);
    result.totalPages = qBound(0, data.value(QStringLiteral("total_page")).toInt(1), maxCommentPages);
    result.totalComments = qMax(-1, data.value(QStringLiteral("total_comment")).toInt(-1));
    collect(data.value(QStringLiteral("comments")).toArray(), result.comments);
    return result;
}

PostReading readCommentPages(const PostComments &first,
                             const std::function<std::optional<PostComments>(int page)> &fetchPage) {
    std::map<int, QList<PostComment>> pages;
    const int last = first.totalPages;
    // An answer that names none of the post's pages (a post without comments says 0) still
    // gives its comments, after every page of the post, each of which is then asked for.
    pages[first.page >= 1 && first.page <= last ? first.page : last + 1] = first.comments;
    for (int n = 1; n <= last; ++n) {
        if (pages.count(n))
            continue;
        const std::optional<PostComments> answer = fetchPage(n);
        if (!answer)
            return {PostReading::Status::Stopped, {}};
        if (!answer->readable || answer->page != n)
            return {PostReading::Status::Unreadable, {}};
        pages[n] = answer->comments;
    }

    PostReading reading{PostReading::Status::Complete, {}};
    QSet<QString> seen;
    for (const auto &[n, comments] : pages) {
        for (const PostComment &comment : comments) {
            if (comment.number.isEmpty() || !seen.contains(comment.number)) {
                seen.insert(comment.number);
                reading.comments.append(comment);
            }
        }
    }
    return reading;
}

} // namespace tombolix
