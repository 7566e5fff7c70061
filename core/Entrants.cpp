#include "core/Entrants.h"

#include <QHash>

namespace tombolix {

Entrants chooseEntrants(const QList<Comment> &comments, const std::optional<QString> &filter,
                        const QSet<QString> &inList) {
    Entrants entrants;
    QSet<QString> members;
    QSet<QString> namesGiven;
    QHash<QString, int> nextNumber; // per name: the number its next namesake tries first
    QSet<QString> added(inList);
    for (const Comment &comment : comments) {
        if (filter && !(comment.text && comment.text->contains(*filter)))
            continue;
        if (comment.byAuthor) { // the author's, whether or not the name can be read
            ++entrants.authorComments;
            continue;
        }
        if (!comment.nickname) {
            ++entrants.namelessComments;
            continue;
        }
        // Tokens and names are keys of their own kinds, so that a name can never equal a token.
        const QString member = comment.member.isEmpty() ? QStringLiteral("name:") + *comment.nickname
                                                        : QStringLiteral("token:") + comment.member;
        if (members.contains(member))
            continue;
        QString name = *comment.nickname;
        if (namesGiven.contains(name)) {
            int &n = nextNumber[name];
            n = qMax(n, 2);
            do
                name = *comment.nickname + QStringLiteral(" (") + QString::number(n++) + u')';
            while (namesGiven.contains(name));
        }
        members.insert(member);
        namesGiven.insert(name);
        if (!added.contains(name)) {
            added.insert(name);
            entrants.names.append(name);
        }
    }
    return entrants;
}

} // namespace tombolix
