#pragma once

#include "core/Expected.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix {

// A comment as the import weighs it, from the old comment page or from today's post page.
struct Comment {
    std::optional<QString> nickname;  // none when it has no name to take
    std::optional<QString> text;      // none when the page does not give it
    QString member;                   // the site's token for its writer; empty where there is none
    bool byAuthor = false;            // written by the post's author
    QString number{};                 // its "no"; empty where the page gives none (the old page)
    QStringList shownTimes{};         // what the site shows for its time; none on the old page
    std::optional<qint64> servedAt{}; // the Date of the answer that carried it, in Unix seconds
};

// The event's own rules, as the organiser set them in the comment window.
struct ImportRules {
    std::optional<QString> filter;  // a comment must hold this text; none: every comment
    std::optional<QString> exclude; // a comment holding this text is left out (a quiz's answer)
    std::optional<qint64> deadline; // comments written after it are left out (Unix seconds)
    QSet<QString> excludedKeys;     // entrantKey of each name on the exclusion list
};

struct Entrants {
    QStringList names;            // an entry for each member, in the order of the comments
    QStringList keys;             // the entrantKey of each
    QList<bool> nameless;         // for each: made for a member without a name (namelessEntry)
    int authorComments = 0;       // comments of the post's author, left out
    int excludedTextComments = 0; // comments holding the exclusion text, left out
    int lateComments = 0;         // comments written after the deadline, left out
    int excludedPeople = 0;       // entrants that read the same as a name of the exclusion list
    int namelessComments = 0;     // comments without a name nor anything to tell their writer by
};

// A name as the public draw reads it: two names with one key read the same to people (its
// look-alike key of the name made canonical). Empty for a name that shows nothing.
QString entrantKey(const QString &name);

// Whether a name shows anything: its entrantKey is not empty.
bool showsSomething(const QString &name);

// The keys of names (an exclusion list's), those that show nothing left out.
QSet<QString> entrantKeys(const QStringList &names);

// The name of an entry made for a member whose name shows nothing: their comment's number.
QString namelessEntry(const QString &commentNumber);

// The commenters to add. Comments without the filter text are passed over; of the others, the
// post's author's, those holding the exclusion text and those written after the deadline are
// left out and counted, in that order. One entrant per member, told apart by the site's token
// where the comment carries one, else by name; a member's entry is the first name of theirs
// that shows something, else namelessEntry of their first comment; a member whose entry reads
// the same (entrantKey) as an earlier, different member's is named with " (2)", " (3)" … after
// it, so that nobody drops out and no two entries read the same. An entry that reads the same as
// a name on the exclusion list is left out and counted. A problem when the deadline cannot be
// applied to a comment that counts: nothing is chosen then.
Expected<Entrants> chooseEntrants(const QList<Comment> &comments, const ImportRules &rules);

// The positions in `entrants` of those that read the same as no entry of the draw list (given
// as their entrantKey): an entrant already in the list is not added again.
QList<int> notInList(const Entrants &entrants, const QSet<QString> &listKeys);

} // namespace tombolix
