// A post page as the site serves it today, through the comment object's reading.
#include "core/Cp949.h"
#include "core/PostComments.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &page : {fromCp949(bytes), QString::fromUtf8(bytes)}) {
        const PostComments parsed = parsePostComments(page);
        if (!parsed.readable && (parsed.totalPages != 0 || !parsed.comments.isEmpty()))
            std::abort();
        if (parsed.readable && (parsed.totalPages < 1 || parsed.totalPages > maxCommentPages))
            std::abort();
        for (const PostComment &comment : parsed.comments) {
            // what the scan compares is text, with no blank left at either end
            for (const QString &text : {comment.nickname, comment.text}) {
                const QString blanks = QStringLiteral(" \t\n\r\f");
                if (!text.isEmpty() && (blanks.contains(text.front()) || blanks.contains(text.back())))
                    std::abort();
            }
        }
    }
    return 0;
}
