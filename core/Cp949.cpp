#include "core/Cp949.h"

#include <iterator>
#include <vector>

namespace tombolix {

namespace {

constexpr int firstLead = 0x81;
constexpr int lastLead = 0xFE;
constexpr int firstTrail = 0x41;
constexpr int lastTrail = 0xFE;
constexpr int trailsPerLead = lastTrail - firstTrail + 1;

// The character of every two-byte sequence, taken once from glibc (scripts/make-cp949-table.cpp).
const char16_t doubleByteChars[] = {
#include "core/Cp949Table.inc"
};
static_assert(std::size(doubleByteChars) == (lastLead - firstLead + 1) * trailsPerLead);

// 0 when the pair is not a character of the code page.
char16_t charOf(uchar lead, uchar trail) {
    if (lead < firstLead || lead > lastLead || trail < firstTrail || trail > lastTrail)
        return 0;
    return doubleByteChars[(lead - firstLead) * trailsPerLead + (trail - firstTrail)];
}

// The two bytes of every character of the code page (lead byte high), 0 for the others.
const std::vector<quint16> &codesOfChars() {
    static const std::vector<quint16> codes = [] {
        std::vector<quint16> all(0x10000, 0);
        for (int lead = firstLead; lead <= lastLead; ++lead) {
            for (int trail = firstTrail; trail <= lastTrail; ++trail) {
                if (const char16_t c = charOf(uchar(lead), uchar(trail)))
                    all[c] = quint16(lead << 8 | trail);
            }
        }
        return all;
    }();
    return codes;
}

} // namespace

Cp949Bytes toCp949(const QString &text) {
    const std::vector<quint16> &codes = codesOfChars();
    Cp949Bytes result;
    result.bytes.reserve(text.size() * 2);
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            result.bytes += char(c);
            continue;
        }
        if (const quint16 code = codes[c]) {
            result.bytes += char(code >> 8);
            result.bytes += char(code & 0xFF);
            continue;
        }
        // A character outside the code page is one '?', also when it takes two UTF-16 units.
        if (QChar::isHighSurrogate(c) && i + 1 < size && text.at(i + 1).isLowSurrogate())
            ++i;
        result.bytes += '?';
        ++result.replaced;
    }
    return result;
}

QString fromCp949(const QByteArray &bytes) {
    QString text;
    text.reserve(bytes.size());
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const uchar byte = data[i];
        if (byte < 0x80) {
            text += QLatin1Char(char(byte));
            continue;
        }
        const char16_t c = i + 1 < size ? charOf(byte, data[i + 1]) : 0;
        if (c != 0) {
            text += QChar(c);
            ++i;
        } else {
            text += QChar::ReplacementCharacter;
        }
    }
    return text;
}

bool fitsCp949(const QString &text) {
    return toCp949(text).replaced == 0;
}

bool isValidCp949(const QByteArray &bytes) {
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] < 0x80)
            continue;
        if (i + 1 >= size || charOf(data[i], data[i + 1]) == 0)
            return false;
        ++i;
    }
    return true;
}

} // namespace tombolix
