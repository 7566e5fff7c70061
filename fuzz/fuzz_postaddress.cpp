// A pasted post address through the board code and post number helper.
#include "core/PostAddress.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    const QString address = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const PostAddress post = parsePostAddress(address);
    if (post.number.contains(u'#') || post.number.contains(u'&') || post.board.contains(u'&'))
        std::abort();
    if (post.status == PostAddress::Status::Ok && !address.startsWith(QStringLiteral("http://")) &&
        !address.startsWith(QStringLiteral("https://")))
        std::abort();
    return 0;
}
