#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tombolix {

// A comment as the site's post page carries it today, or a reply to one at any depth.
struct PostComment {
    QString number;        // its "no": one comment, however many pages carry it; empty when absent
    QString nickname;      // the text of its "name" (a level icon and the nickname, maybe linked)
    QString text;          // the text of its "memo"
    QString member;        // its writer's token ("troll_no"): one per member in a post; empty when absent
    bool byAuthor = false; // written by the post's author ("meta"."is_self")
    QStringList times{};   // the times it shows ("meta"."time_display", then "time_detail"), non-empty ones
    std::optional<qint64> servedAt{}; // the Date of the answer that carried it; set by whoever fetched it
};

struct PostComments {
    bool readable = false;       // the page holds an initialCommentData object that reads as JSON
    int page = 1;                // the comment page it holds: G_CMT_PAGE, else `var c_page`, else 1
    int totalPages = 0;          // its "total_page" (1 when absent), held to 0 … maxCommentPages
    int totalComments = -1;      // its "total_comment", -1 when absent
    QList<PostComment> comments; // in page order, every reply right after its parent
};

// More comment pages than this are not fetched: no post has them, and a page that claims
// millions would keep the window busy for hours.
inline constexpr int maxCommentPages = 1000;

// Today's post page: its comments are the script object `var initialCommentData = {…};`.
// Nicknames and texts are taken as they read: mark-up removed, character references decoded,
// blanks at both ends removed ("[ *EE야* ]", a name partly hidden from visitors, stays so). A
// nickname that shows nothing as text (an image alone) is its image's alternative text, where it
// has one.
PostComments parsePostComments(const QString &page);

// Every comment of a post, from all its comment pages.
struct PostReading {
    enum class Status {
        Complete,   // every page read
        Unreadable, // a page could not be read, or held another page than the one asked for
        Stopped,    // a fetch failed; the caller has said why
    };
    Status status = Status::Stopped;
    QList<PostComment> comments; // pages 1 … last in order, each comment once
};

// `first` is the answer to the post's own address, which holds whichever comment page the site
// chooses (today the last one). `fetchPage(n)` fetches page n, nullopt when it could not. Every
// other page from 1 to the last is asked for once, and each answer must hold the page asked for.
PostReading readCommentPages(const PostComments &first,
                             const std::function<std::optional<PostComments>(int page)> &fetchPage);

} // namespace tombolix
