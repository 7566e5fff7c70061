#pragma once

#include <QString>

#include <string_view>

// What Unicode 14 says of a code point, as the public draw's rule reads it: one table, generated
// once (scripts/make-unicode14-tables.pl) and given alike to the program, the participant's
// script and the entrants' page, so that whatever runs the check, and whatever Unicode its own
// library knows, the rule reads every text the same way.
namespace tombolix::unicode14 {

// An entry may hold it: assigned by Unicode 14, not a surrogate, not a control character other
// than the white space ones.
bool usable(char32_t code);
// It shows nothing: White_Space, Default_Ignorable_Code_Point, a format character, or a blank
// that is none of these (U+2800, U+1D159).
bool blank(char32_t code);
bool whiteSpace(char32_t code);
// A format character (Cf): invisible, or turning the text's direction.
bool format(char32_t code);
// The code point's confusable prototype (UTS #39, without Hangul's jamo), or nothing when the
// code point is its own.
std::u32string_view prototype(char32_t code);

// The code points of a text, a lone surrogate standing for itself.
template <typename F> void forEachCodePoint(const QString &text, F &&f) {
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            f(QChar::surrogateToUcs4(c, text.at(i + 1).unicode()));
            ++i;
        } else {
            f(char32_t(c));
        }
    }
}

} // namespace tombolix::unicode14
