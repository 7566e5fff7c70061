#pragma once

#include <QList>
#include <QString>

namespace tombolix {

// A comment as the site's post page carries it today, or a reply to one at any depth.
struct PostComment {
    QString nickname; // the text of its "name" (a level icon and the nickname, maybe linked)
    QString text;     // the text of its "memo"
};

struct PostComments {
    bool readable = false;       // the page holds an initialCommentData object that reads as JSON
    int totalPages = 0;          // its "total_page", held to 1 … maxCommentPages
    QList<PostComment> comments; // in page order, every reply right after its parent
};

// More comment pages than this are not fetched: no post has them, and a page that claims
// millions would keep the window busy for hours.
inline constexpr int maxCommentPages = 1000;

// Today's post page: its comments are the script object `var initialCommentData = {…};`.
// Nicknames and texts are taken as they read: mark-up removed, character references decoded,
// blanks at both ends removed ("[ *EE야* ]", a name partly hidden from visitors, stays so).
PostComments parsePostComments(const QString &page);

} // namespace tombolix
