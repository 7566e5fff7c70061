#pragma once

#include <QString>

namespace tombolix {

// The program's own version: shown in the caption and compared with the maker's server.
inline constexpr double programVersion = 1.01;

inline QString applicationTitle() {
    return QStringLiteral("Tombolix_v1.01");
}
inline QString alertTitle() {
    return QStringLiteral("Tombolix Alert");
}

// The draw list is addressed with 16-bit signed positions.
inline constexpr int maxDrawListEntries = 32767;

inline QString crlf() {
    return QStringLiteral("\r\n");
}

} // namespace tombolix
