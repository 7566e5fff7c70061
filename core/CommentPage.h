#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace tombolix {

// One comment cell of a post's comment list page.
struct CommentCell {
    bool complete = false;           // the cell has its end marker
    std::optional<QString> nickname; // none when the cell has no nickname to take
    std::optional<QString> body;     // the comment text, none without its markers
};

struct CommentPage {
    // Occurrences of the cell marker: -1 for an empty page, 0 for a page without cells.
    int markerCount = -1;
    QList<CommentCell> cells;
};

// Cuts the page into comment cells and takes each commenter's nickname (the link text, or the
// alternative text of a nickname drawn as an image on the image server) and comment text.
CommentPage parseCommentPage(const QString &page, const QString &imageHost);

} // namespace tombolix
