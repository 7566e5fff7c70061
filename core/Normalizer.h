#pragma once

#include <QString>

// Unicode's normal forms, from ICU: Debian's on Linux, the same release cross-built for Windows,
// so that every build of the program normalises alike. (Qt's own QString::normalized is not
// used: Qt 6.4 stops composing after some characters outside the first plane, and its NFKC takes
// quadratic time on runs of ligatures.)
namespace tombolix::unicode {

QString nfc(const QString &text);
QString nfd(const QString &text);
QString nfkc(const QString &text);
// A code point every normal form leaves as it is wherever it stands: combining class 0, and yes
// to the quick checks of NFC, NFD and NFKC. A text of such code points is normal in every form.
bool stableAlone(char32_t code);

} // namespace tombolix::unicode
