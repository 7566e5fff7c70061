// A page of the site as it serves them today: its comment object, which comment page it holds,
// who it is shown to, and the import's reading of it as every page of a post; the times its
// comments show, an answer's Date header and a typed deadline, and the event's rules on them.
#include "core/CommentTime.h"
#include "core/Cp949.h"
#include "core/Entrants.h"
#include "core/PostComments.h"
#include "core/Site.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &page : {fromCp949(bytes), QString::fromUtf8(bytes)}) {
        site::pageViewer(page);
        // a log-in answer that says who is looking decides alone, the front page unasked
        if (const std::optional<bool> taken = site::loginTaken(page);
            taken && site::loginTaken(page, QString(), QStringLiteral("https://www.ppomppu.co.kr")) != *taken)
            std::abort();
        const PostComments parsed = parsePostComments(page);
        if (!parsed.readable && (parsed.totalPages != 0 || !parsed.comments.isEmpty()))
            std::abort();
        if (parsed.readable && (parsed.totalPages < 0 || parsed.totalPages > maxCommentPages ||
                                parsed.page < 0 || parsed.totalComments < -1))
            std::abort();
        for (const PostComment &comment : parsed.comments) {
            // what the scan compares is text, with no blank left at either end
            for (const QString &text : {comment.nickname, comment.text}) {
                const QString blanks = QStringLiteral(" \t\n\r\f");
                if (!text.isEmpty() && (blanks.contains(text.front()) || blanks.contains(text.back())))
                    std::abort();
            }
        }
        // The bytes as a Date header and as a typed deadline, and every time they could be.
        const std::optional<qint64> date = parseHttpDate(bytes);
        const std::optional<qint64> deadline = parseDeadline(page);
        if (deadline && parseDeadline(deadlineText(*deadline)) != deadline)
            std::abort(); // the deadline as written back reads as itself
        for (const std::optional<qint64> served :
             {date, std::optional<qint64>(1787880000), std::optional<qint64>()}) {
            const StampReading reading = readStamp(page.left(64), served);
            for (const Moments &m : reading.moments) {
                if (m.first > m.last)
                    std::abort();
            }
            if (reading.moments.isEmpty() && reading.why.isEmpty())
                std::abort(); // a stamp that says nothing says why
        }
        if (!parsed.readable)
            continue;

        // The same answer for every page asked: whole only when it holds each of them.
        int asked = 0;
        const PostReading reading = readCommentPages(parsed, [&](int n) -> std::optional<PostComments> {
            if (n < 1 || n > parsed.totalPages || ++asked > parsed.totalPages)
                std::abort(); // a page outside the post, or one asked twice
            return parsed;
        });
        QSet<QString> numbers;
        QList<Comment> comments;
        for (const PostComment &comment : reading.comments) {
            if (!comment.number.isEmpty() && numbers.contains(comment.number))
                std::abort(); // one comment taken twice
            numbers.insert(comment.number);
            comments.append({comment.nickname, comment.text, comment.member, comment.byAuthor, comment.number,
                             comment.times, date});
        }
        // Every rule at once: a deadline (the typed one, else one in the fixtures' day), an
        // exclusion text and list.
        ImportRules rules;
        rules.deadline = deadline.value_or(1787880000);
        rules.exclude = QStringLiteral("정답");
        rules.excludedKeys = entrantKeys({QStringLiteral("[ ** ]"), QStringLiteral("김철수")});
        const Expected<Entrants> chosen = chooseEntrants(comments, rules);
        if (!chosen && chosen.problem().isEmpty())
            std::abort();
        const Expected<Entrants> all = chooseEntrants(comments, ImportRules{});
        if (!all)
            std::abort(); // without a deadline nothing can be refused
        for (const Expected<Entrants> *entrants : {&chosen, &all}) {
            if (!*entrants)
                continue;
            const Entrants &e = **entrants;
            if (e.keys.size() != e.names.size() || e.nameless.size() != e.names.size())
                std::abort();
            QSet<QString> keys;
            for (int i = 0; i < e.names.size(); ++i) {
                // no two entrants read the same, none shows nothing, none is on the exclusion list
                if (e.keys.at(i).isEmpty() || keys.contains(e.keys.at(i)) ||
                    e.keys.at(i) != entrantKey(e.names.at(i)))
                    std::abort();
                if (entrants == &chosen && rules.excludedKeys.contains(e.keys.at(i)))
                    std::abort();
                keys.insert(e.keys.at(i));
            }
        }
        // The rules only ever leave people out.
        if (chosen && chosen->names.size() > all->names.size())
            std::abort();
    }
    return 0;
}
