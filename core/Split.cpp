#include "core/Split.h"

namespace tombolix {

std::optional<QString> splitField(const QString &text, const QString &separator, int index) {
    if (text.isEmpty() || index < 0)
        return std::nullopt;
    qsizetype start = 0;
    for (int field = 0; field < index; ++field) {
        const qsizetype found = text.indexOf(separator, start);
        if (found < 0)
            return std::nullopt;
        start = found + separator.size();
    }
    const qsizetype end = text.indexOf(separator, start);
    return text.mid(start, end < 0 ? -1 : end - start);
}

} // namespace tombolix
