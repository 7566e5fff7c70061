#include "Cp949.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cerrno>

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

// Runs iconv over the whole input; at a sequence it cannot convert, calls onBad with the
// output so far and skips the bytes it says.
template <typename OnBad>
QByteArray convert(const char *to, const char *from, const QByteArray &input, OnBad onBad) {
    QByteArray out;
    if (input.isEmpty())
        return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return out;
    out.reserve(input.size() * 2);
    char buffer[16384];
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = size_t(input.size());
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, qsizetype(outPtr - buffer));
        if (result != size_t(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a sequence cut short at the end)
        const size_t skip = onBad(out, in, inLeft);
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return out;
}

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
    result.bytes = convert("CP949", "UTF-8", utf8, [&result](QByteArray &out, const char *in, size_t left) {
        out.append('?');
        ++result.replaced;
        return qMin(left, utf8Length(static_cast<unsigned char>(*in)));
    });
    return result;
}

QString fromCp949(const QByteArray &bytes) {
    static const QByteArray replacement = QString(QChar::ReplacementCharacter).toUtf8();
    const QByteArray utf8 = convert("UTF-8", "CP949", bytes, [](QByteArray &out, const char *, size_t) {
        out.append(replacement);
        return size_t(1);
    });
    return QString::fromUtf8(utf8);
}

bool fitsCp949(const QString &text) {
    return toCp949(text).replaced == 0;
}

#endif

} // namespace tombolix
