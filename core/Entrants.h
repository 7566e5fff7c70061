#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix {

// A comment as the import weighs it, from the old comment page or from today's post page.
struct Comment {
    std::optional<QString> nickname; // none when it has no name to take
    std::optional<QString> text;     // none when the page does not give it
    QString member;                  // the site's token for its writer; empty where there is none
    bool byAuthor = false;           // written by the post's author
};

struct Entrants {
    QStringList names;        // new entries for the draw list, in the order of the comments
    int authorComments = 0;   // comments of the post's author that the filter kept, left out
    int namelessComments = 0; // comments the filter kept whose writer has no name to take, left out
};

// The commenters to add: those of the comments holding the filter text (every comment without
// one), the post's author and comments without a writer's name left out. One entrant per
// member, told apart by the site's token where the comment carries one, else by name; a member
// whose name reads the same as an earlier, different member's is named with " (2)", " (3)" …
// after it, so that nobody drops out. A name already in the draw list is not added again.
Entrants chooseEntrants(const QList<Comment> &comments, const std::optional<QString> &filter,
                        const QSet<QString> &inList);

} // namespace tombolix
