#include "core/Entrants.h"

#include "core/CommentTime.h"
#include "core/PublicDraw.h"

#include <QHash>

namespace tombolix {

QString entrantKey(const QString &name) {
    return publicdraw::lookAlikeKey(publicdraw::canonicalEntry(name));
}

bool showsSomething(const QString &name) {
    // Most names hold a Latin letter, a digit or a Hangul syllable: each is its own NFKC and no
    // blank, so the key holds something, and nothing need be made of it.
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
            (u >= 0xAC00 && u <= 0xD7A3))
            return true;
    }
    return !entrantKey(name).isEmpty();
}

QSet<QString> entrantKeys(const QStringList &names) {
    QSet<QString> keys;
    keys.reserve(names.size());
    for (const QString &name : names) {
        QString key = entrantKey(name);
        if (!key.isEmpty())
            keys.insert(std::move(key));
    }
    return keys;
}

QString namelessEntry(const QString &commentNumber) {
    return QStringLiteral("이름 없는 회원 (덧글 ") + commentNumber + u')';
}

Expected<Entrants> chooseEntrants(const QList<Comment> &comments, const ImportRules &rules) {
    Entrants entrants;
    // Many comments share a name: each name's key is made once.
    QHash<QString, QString> keys;
    auto keyOf = [&keys](const QString &name) -> QString {
        auto it = keys.constFind(name);
        if (it == keys.cend())
            it = keys.insert(name, entrantKey(name));
        return *it;
    };

    // The comments that count, but for the deadline.
    QList<bool> counting(comments.size(), false);
    for (qsizetype i = 0; i < comments.size(); ++i) {
        const Comment &comment = comments.at(i);
        if (rules.filter && !(comment.text && comment.text->contains(*rules.filter)))
            continue;
        if (comment.byAuthor) { // the author's, whether or not the name can be read
            ++entrants.authorComments;
            continue;
        }
        if (rules.exclude && comment.text && comment.text->contains(*rules.exclude)) {
            ++entrants.excludedTextComments;
            continue;
        }
        counting[i] = true;
    }
    if (rules.deadline) {
        QList<TimedComment> timed;
        timed.reserve(comments.size());
        for (const Comment &comment : comments)
            timed.append({comment.number, comment.shownTimes, comment.servedAt});
        const DeadlinePlacing placing = placeByDeadline(timed, counting, *rules.deadline);
        if (placing.unsure >= 0) {
            const Comment &unsure = comments.at(placing.unsure);
            const QString name = unsure.nickname && !unsure.nickname->isEmpty() ? *unsure.nickname
                                                                                : QStringLiteral("이름 없음");
            return Problem{QStringLiteral("덧글 ") +
                           (unsure.number.isEmpty() ? QStringLiteral("(번호 없음)") : unsure.number) +
                           QStringLiteral(" (") + name + QStringLiteral(")에 ") + placing.why};
        }
        for (qsizetype i = 0; i < comments.size(); ++i) {
            if (counting[i] && placing.after[i]) {
                counting[i] = false;
                ++entrants.lateComments;
            }
        }
    }

    // One member each, in the order of their first comment that counts.
    struct Member {
        std::optional<QString> name; // the first of their names that shows something
        QString number;              // their first comment's number
        int comments = 0;
    };
    QList<Member> members;
    QHash<QString, qsizetype> memberAt;
    for (qsizetype i = 0; i < comments.size(); ++i) {
        if (!counting[i])
            continue;
        const Comment &comment = comments.at(i);
        std::optional<QString> name;
        if (comment.nickname && showsSomething(*comment.nickname))
            name = comment.nickname;
        // Tokens and names are keys of their own kinds, so that a name can never equal a token.
        QString member;
        if (!comment.member.isEmpty())
            member = QStringLiteral("token:") + comment.member;
        else if (name)
            member = QStringLiteral("name:") + *name;
        else { // nothing tells who wrote it: it cannot be told from anyone else's
            ++entrants.namelessComments;
            continue;
        }
        const auto at = memberAt.constFind(member);
        if (at == memberAt.cend()) {
            memberAt.insert(member, members.size());
            members.append({name, comment.number, 1});
            continue;
        }
        Member &known = members[*at];
        ++known.comments;
        if (!known.name)
            known.name = name;
    }

    QSet<QString> given;            // the keys of the entries given in this import
    QHash<QString, int> nextNumber; // per key: the number its next namesake tries first
    for (const Member &member : std::as_const(members)) {
        if (!member.name && member.number.isEmpty()) {
            entrants.namelessComments += member.comments;
            continue;
        }
        const QString base = member.name ? *member.name : namelessEntry(member.number);
        const QString baseKey = keyOf(base);
        QString name = base;
        QString key = baseKey;
        if (given.contains(key)) {
            int &n = nextNumber[baseKey];
            n = qMax(n, 2);
            do {
                name = base + QStringLiteral(" (") + QString::number(n++) + u')';
                key = keyOf(name);
            } while (given.contains(key));
        }
        given.insert(key);
        if (rules.excludedKeys.contains(key)) {
            ++entrants.excludedPeople;
            continue;
        }
        entrants.names.append(name);
        entrants.keys.append(key);
        entrants.nameless.append(!member.name);
    }
    return entrants;
}

QList<int> notInList(const Entrants &entrants, const QSet<QString> &listKeys) {
    QList<int> positions;
    for (int i = 0; i < entrants.keys.size(); ++i) {
        if (!listKeys.contains(entrants.keys.at(i)))
            positions.append(i);
    }
    return positions;
}

} // namespace tombolix
