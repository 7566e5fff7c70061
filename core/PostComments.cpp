#include "core/PostComments.h"

#include "core/Entrants.h"
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

bool isTagBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// The value of the attribute `alt` in the attributes of a tag, from after its name to its '>'.
std::optional<QString> altOf(QStringView tag) {
    qsizetype i = 0;
    const qsizetype size = tag.size();
    while (i < size) {
        while (i < size && (isTagBlank(tag.at(i)) || tag.at(i) == u'/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < size && !isTagBlank(tag.at(i)) && tag.at(i) != u'=' && tag.at(i) != u'/')
            ++i;
        const QStringView name = tag.mid(nameStart, i - nameStart);
        while (i < size && isTagBlank(tag.at(i)))
            ++i;
        QStringView value;
        if (i < size && tag.at(i) == u'=') {
            ++i;
            while (i < size && isTagBlank(tag.at(i)))
                ++i;
            if (i < size && (tag.at(i) == u'"' || tag.at(i) == u'\'')) {
                const QChar quote = tag.at(i++);
                const qsizetype valueStart = i;
                while (i < size && tag.at(i) != quote)
                    ++i;
                if (i >= size)
                    return std::nullopt; // cut short: no value to trust
                value = tag.mid(valueStart, i - valueStart);
                ++i;
            } else {
                const qsizetype valueStart = i;
                while (i < size && !isTagBlank(tag.at(i)))
                    ++i;
                value = tag.mid(valueStart, i - valueStart);
            }
        }
        if (name.compare(u"alt", Qt::CaseInsensitive) == 0)
            return value.toString();
    }
    return std::nullopt;
}

// The alternative text of the first image in the mark-up whose text shows something; empty
// when none has.
QString imageText(const QString &markup) {
    const QStringView view(markup);
    for (qsizetype at = view.indexOf(u"<img", 0, Qt::CaseInsensitive); at >= 0;
         at = view.indexOf(u"<img", at + 1, Qt::CaseInsensitive)) {
        qsizetype end = at + 4;
        if (end < view.size() && !isTagBlank(view.at(end)) && view.at(end) != u'/' && view.at(end) != u'>')
            continue; // another tag, <imgx>
        QChar quote;
        while (end < view.size() && (quote != QChar() || view.at(end) != u'>')) {
            if (quote == QChar() && (view.at(end) == u'"' || view.at(end) == u'\''))
                quote = view.at(end);
            else if (view.at(end) == quote)
                quote = QChar();
            ++end;
        }
        if (const std::optional<QString> alt = altOf(view.mid(at + 4, end - at - 4))) {
            const QString text = markupText(*alt);
            if (showsSomething(text))
                return text;
        }
        at = end;
    }
    return {};
}

// A comment writer's name: the text its mark-up shows, or else its image's alternative text.
QString nameText(const QString &markup) {
    const QString text = markupText(markup);
    if (showsSomething(text))
        return text;
    const QString alt = imageText(markup);
    return alt.isEmpty() ? text : alt;
}

// The times a comment shows, the ones given.
QStringList shownTimes(const QJsonObject &meta) {
    QStringList times;
    for (const QString &key : {QStringLiteral("time_display"), QStringLiteral("time_detail")}) {
        const QString time = numberText(meta.value(key));
        if (!time.trimmed().isEmpty())
            times.append(time);
    }
    return times;
}

// The comments of an array and their replies, depth first: each reply right after its parent.
void collect(const QJsonArray &array, QList<PostComment> &into) {
    for (const QJsonValue &value : array) {
        const QJsonObject comment = value.toObject();
        const QJsonObject meta = comment.value(QStringLiteral("meta")).toObject();
        into.append({numberText(comment.value(QStringLiteral("no"))),
                     nameText(comment.value(QStringLiteral("name")).toString()),
                     markupText(comment.value(QStringLiteral("memo")).toString()),
                     comment.value(QStringLiteral("anti_vote_btn"))
                         .toObject()
                         .value(QStringLiteral("troll_no"))
                         .toString(),
                     meta.value(QStringLiteral("is_self")).toBool(), shownTimes(meta), std::nullopt});
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
