// A page of the site as it serves them today: its comment object, which comment page it holds,
// who it is shown to, and the import's reading of it as every page of a post.
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
            comments.append({comment.nickname, comment.text, comment.member, comment.byAuthor});
        }
        const QSet<QString> inList{QStringLiteral("[ ** ]")};
        const Entrants entrants = chooseEntrants(comments, std::nullopt, inList);
        QSet<QString> names(inList);
        for (const QString &name : entrants.names) {
            if (names.contains(name))
                std::abort(); // two entrants of one name, or one already in the list
            names.insert(name);
        }
    }
    return 0;
}
