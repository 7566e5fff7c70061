// A list file's bytes through the load's own decoding and entry split; and whatever entries
// come out, saved as a list, must load back as the same entries.
#include "core/Cp949.h"
#include "core/ListFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeListFile(bytes);
    const QStringList entries = parseListText(text);
    for (const QString &entry : entries) {
        if (entry.isEmpty() || entry.contains(QStringLiteral("\r\n")))
            std::abort();
    }
    // (an entry holding the list's own word loses it on loading: the format's rule)
    const bool wordInside = entries.join(QString()).contains(listFileWord());
    if (!wordInside && entriesNotFittingCp949(entries).isEmpty()) {
        const QByteArray saved = toCp949(buildListText(entries) + QStringLiteral("\r\n")).bytes;
        const QString reread = decodeListFile(saved);
        if (!isListText(reread) || parseListText(reread) != entries)
            std::abort();
    }
    return 0;
}
