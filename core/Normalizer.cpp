#include "core/Normalizer.h"

#include "core/TombolixError.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>

namespace tombolix::unicode {

namespace {

enum class Form { C, D, KC };

const UNormalizer2 *normalizer(Form form) {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2 *made = form == Form::C   ? unorm2_getNFCInstance(&status)
                               : form == Form::D ? unorm2_getNFDInstance(&status)
                                                 : unorm2_getNFKCInstance(&status);
    if (U_FAILURE(status) || !made)
        throw TombolixError(5, QStringLiteral("ICU normalizer unavailable: ") +
                                   QString::fromLatin1(u_errorName(status)));
    return made;
}

QString normalized(const QString &text, Form form) {
    const UNormalizer2 *n = normalizer(form);
    const auto *source = reinterpret_cast<const UChar *>(text.utf16());
    const auto length = int32_t(text.size());
    UErrorCode status = U_ZERO_ERROR;
    // Most text is normal already: the quick check answers without a copy.
    if (unorm2_isNormalized(n, source, length, &status) && U_SUCCESS(status))
        return text;
    status = U_ZERO_ERROR;
    QString result(qsizetype(length) + 16, Qt::Uninitialized);
    int32_t written = unorm2_normalize(n, source, length, reinterpret_cast<UChar *>(result.data()),
                                       int32_t(result.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        status = U_ZERO_ERROR;
        result.resize(written);
        written = unorm2_normalize(n, source, length, reinterpret_cast<UChar *>(result.data()),
                                   int32_t(result.size()), &status);
    }
    if (U_FAILURE(status))
        throw TombolixError(5, QStringLiteral("ICU normalization failed: ") +
                                   QString::fromLatin1(u_errorName(status)));
    result.resize(written);
    return result;
}

} // namespace

bool stableAlone(char32_t code) {
    const auto c = UChar32(code);
    return u_getCombiningClass(c) == 0 && u_getIntPropertyValue(c, UCHAR_NFC_QUICK_CHECK) == UNORM_YES &&
           u_getIntPropertyValue(c, UCHAR_NFD_QUICK_CHECK) == UNORM_YES &&
           u_getIntPropertyValue(c, UCHAR_NFKC_QUICK_CHECK) == UNORM_YES;
}

QString nfc(const QString &text) {
    return normalized(text, Form::C);
}

QString nfd(const QString &text) {
    return normalized(text, Form::D);
}

QString nfkc(const QString &text) {
    return normalized(text, Form::KC);
}

} // namespace tombolix::unicode
