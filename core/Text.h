#pragma once

#include <QString>

#include <optional>

namespace tombolix {

// Removes leading and trailing blanks (U+0020) only, unlike QString::trimmed().
QString trimBlanks(const QString &text);
// The text without the characters at either end that `isBlank` takes for blanks.
QString trimmedOf(const QString &text, bool (*isBlank)(QChar));
// Exactly `digits` characters, each 0-9 or a-f.
bool isLowerHex(const QString &text, qsizetype digits);

// The text a piece of HTML shows: its tags removed (a line break, paragraph or block tag
// becomes a line break), character references decoded (numeric ones, and &amp; &lt; &gt;
// &quot; &apos; &nbsp;), and blanks, tabs and line breaks at both ends removed.
QString markupText(const QString &markup);

// The value a page's script gives a variable where it declares it (`var NAME = 13;`, also with
// let or const), without its quotes: the first declaration counts. The empty text for a
// declaration without a value (`var NAME;`, `var NAME = ;`); nullopt when the page declares no
// such variable (a mention such as `if (NAME == 1)` or a form field named so is no declaration).
std::optional<QString> declaredValue(const QString &page, const QString &name);

} // namespace tombolix
