#include "Cp949.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cerrno>
#include <vector>

namespace tombolix {

#ifdef _WIN32

Cp949Bytes toCp949(const QString &text) {
    Cp949Bytes out;
    if (text.isEmpty())
        return out;
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(949, 0, wide, int(text.size()), nullptr, 0, "?", &usedDefault);
    out.bytes.resize(size);
    WideCharToMultiByte(949, 0, wide, int(text.size()), out.bytes.data(), size, "?", &usedDefault);
    if (usedDefault) {
        // Count per character so the caller can say how much would change.
        for (const QChar c : text)
            out.replaced += fitsCp949(QString(c)) ? 0 : 1;
    }
    return out;
}

QString fromCp949(const QByteArray &bytes) {
    if (bytes.isEmpty())
        return {};
    const int size = MultiByteToWideChar(949, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(949, 0, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), size);
    return text;
}

bool fitsCp949(const QString &text) {
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(949, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t *>(text.utf16()),
                        int(text.size()), nullptr, 0, "?", &usedDefault);
    return !usedDefault;
}

#else

namespace {

size_t utf8Length(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

} // namespace

Cp949Bytes toCp949(const QString &text) {
    Cp949Bytes result;
    const QByteArray utf8 = text.toUtf8();
    if (utf8.isEmpty())
        return result;
    iconv_t cd = iconv_open("CP949", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return result;
    result.bytes.reserve(utf8.size());
    char buffer[16384];
    char *in = const_cast<char *>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t converted = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        result.bytes.append(buffer, qsizetype(outPtr - buffer));
        if (converted != size_t(-1) || errno == E2BIG)
            continue;
        // A character the code page cannot hold: written as '?', and the next one is tried
        // (never past the end, should iconv already have consumed it).
        result.bytes.append('?');
        ++result.replaced;
        const size_t skip = qMin(inLeft, utf8Length(static_cast<unsigned char>(*in)));
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return result;
}

namespace {

// Every two-byte character of the code page, asked of iconv once: decoding is then a look-up
// that cannot be thrown off by a bad pair (glibc's decoder sometimes consumes a bad pair
// before it reports it, which loses or misplaces the bytes after it).
class DoubleByteTable {
public:
    DoubleByteTable()
        : m_chars(0x7F * 0x100, 0) {
        iconv_t cd = iconv_open("UTF-16LE", "CP949");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0; trail <= 0xFF; ++trail) {
                char in[2] = {char(lead), char(trail)};
                char16_t out[2] = {};
                char *inPtr = in;
                size_t inLeft = 2;
                char *outPtr = reinterpret_cast<char *>(out);
                size_t outLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
                if (result != size_t(-1) && inLeft == 0 && outLeft == sizeof out - 2)
                    m_chars[(lead - 0x80) * 0x100 + trail] = out[0];
            }
        }
        iconv_close(cd);
    }

    // 0 when the pair is not a character of the code page
    char16_t at(uchar lead, uchar trail) const { return m_chars[(lead - 0x80) * 0x100 + trail]; }

private:
    std::vector<char16_t> m_chars;
};

} // namespace

QString fromCp949(const QByteArray &bytes) {
    static const DoubleByteTable table;
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
        const char16_t pair = byte >= 0x81 && byte <= 0xFE && i + 1 < size ? table.at(byte, data[i + 1]) : 0;
        if (pair != 0) {
            text += QChar(pair);
            ++i;
        } else {
            text += QChar::ReplacementCharacter; // and the next byte is read afresh
        }
    }
    return text;
}

bool fitsCp949(const QString &text) {
    return toCp949(text).replaced == 0;
}

#endif

} // namespace tombolix
