#pragma once

#include <QByteArray>
#include <QString>

namespace tombolix {

// Korean code page 949, whatever the machine's own locale is: list files and the site's pages
// are always in it. One table serves every platform, so a file reads the same everywhere.
struct Cp949Bytes {
    QByteArray bytes;
    int replaced = 0; // characters the code page cannot hold, each written as one '?'
};

Cp949Bytes toCp949(const QString &text);
// Bytes that are not valid code page 949 become U+FFFD, and the byte after a bad lead byte is
// read afresh.
QString fromCp949(const QByteArray &bytes);
bool fitsCp949(const QString &text);
// Is every byte ASCII or part of a two-byte character of the code page?
bool isValidCp949(const QByteArray &bytes);

} // namespace tombolix
