#pragma once

#include <QString>

namespace tombolix {

// Removes leading and trailing blanks (U+0020) only, unlike QString::trimmed().
QString trimBlanks(const QString &text);

// The text a piece of HTML shows: its tags removed (a line break, paragraph or block tag
// becomes a line break), character references decoded (numeric ones, and &amp; &lt; &gt;
// &quot; &apos; &nbsp;), and blanks, tabs and line breaks at both ends removed.
QString markupText(const QString &markup);

} // namespace tombolix
