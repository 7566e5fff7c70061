#include "core/CommentPage.h"

#include "core/Split.h"

namespace tombolix {

namespace {

const QString cellMarker = QStringLiteral("<td style=\"padding:2px 4px 4px 5px;word-break:break-all;\">");
const QString cellEnd = QStringLiteral("</td>");
const QString nicknameEnd = QStringLiteral("</a></b>");
const QString nicknameStart = QStringLiteral("return false;\">");
const QString iconTextStart = QStringLiteral("alt='");
const QString iconTextEnd = QStringLiteral("'");
const QString bodyStart = QStringLiteral("class=han style=line-height:160%>");
const QString bodyEnd = QStringLiteral("</div>");

CommentCell parseCell(const QString &cell, const QString &iconMarker) {
    CommentCell result;
    // Splitting an empty cell on its end gives no field at all, not one field without the end:
    // two markers side by side, or a page ending right after one, make a cell that merely lacks
    // what the scan takes, and it is skipped.
    result.complete = cell.isEmpty() || cell.contains(cellEnd);
    if (!result.complete)
        return result;
    const std::optional<QString> content = splitField(cell, cellEnd, 0);
    if (!content)
        return result;
    if (const std::optional<QString> head = splitField(*content, nicknameEnd, 0)) {
        std::optional<QString> nickname = splitField(*head, nicknameStart, 1);
        if (nickname && nickname->contains(iconMarker)) {
            const std::optional<QString> afterAlt = splitField(*nickname, iconTextStart, 1);
            nickname = afterAlt ? splitField(*afterAlt, iconTextEnd, 0) : std::nullopt;
        }
        if (nickname && !nickname->isEmpty())
            result.nickname = nickname;
    }
    if (const std::optional<QString> afterStart = splitField(*content, bodyStart, 1))
        result.body = splitField(*afterStart, bodyEnd, 0);
    return result;
}

} // namespace

CommentPage parseCommentPage(const QString &page, const QString &imageHost) {
    CommentPage result;
    if (page.isEmpty())
        return result;
    const QString iconMarker =
        QStringLiteral("<img src='http://") + imageHost + QStringLiteral("/zboard/nickcon/");
    const QStringList fields = page.split(cellMarker);
    result.markerCount = int(fields.size()) - 1;
    result.cells.reserve(result.markerCount);
    for (qsizetype i = 1; i < fields.size(); ++i)
        result.cells.append(parseCell(fields.at(i), iconMarker));
    return result;
}

} // namespace tombolix
