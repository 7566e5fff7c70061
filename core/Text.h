#pragma once

#include <QString>

namespace tombolix {

// Removes leading and trailing blanks (U+0020) only, unlike QString::trimmed().
QString trimBlanks(const QString &text);

} // namespace tombolix
