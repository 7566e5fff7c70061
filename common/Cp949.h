#pragma once

#include <QByteArray>
#include <QString>

namespace tombolix {

// Korean code page 949, whatever the machine's own locale is: list files and the site's pages
// are always in it.
struct Cp949Bytes {
    QByteArray bytes;
    int replaced = 0; // characters the code page cannot hold, written as '?'
};

Cp949Bytes toCp949(const QString &text);
// Bytes that are not valid code page 949 become U+FFFD.
QString fromCp949(const QByteArray &bytes);
bool fitsCp949(const QString &text);

} // namespace tombolix
