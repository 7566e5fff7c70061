// A comment list page as the site might answer it, through the cell and nickname scan.
#include "core/CommentPage.h"
#include "core/Cp949.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    const QString page = fromCp949(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const CommentPage parsed = parseCommentPage(page, QStringLiteral("image.test"));
    if (parsed.markerCount != qMax(0, parsed.markerCount) && parsed.markerCount != -1)
        std::abort();
    if (parsed.cells.size() != qMax(0, parsed.markerCount))
        std::abort();
    for (const CommentCell &cell : parsed.cells) {
        if (cell.nickname && cell.nickname->isEmpty())
            std::abort();
    }
    return 0;
}
