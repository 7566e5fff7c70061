// A list file's bytes, in either encoding, through the reading and the entry split.
#include "core/Cp949.h"
#include "core/ListFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tombolix;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeListFile(bytes);
    if (isListText(text)) {
        for (const QString &entry : parseListText(text)) {
            if (entry.isEmpty() || entry.contains(QStringLiteral("\r\n")))
                std::abort();
        }
    }
    // what a list made of these entries writes must read back as the same entries
    const QStringList entries = parseListText(fromCp949(bytes));
    if (entriesNotFittingCp949(entries).isEmpty()) {
        const QByteArray written = toCp949(buildListText(entries)).bytes;
        if (parseListText(fromCp949(written)) != parseListText(buildListText(entries)))
            std::abort();
    }
    return 0;
}
