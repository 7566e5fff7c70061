#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tombolix {

// Files larger than this are refused before they are read: no list file comes near it.
inline constexpr qint64 maxListFileBytes = 64 * 1024 * 1024;

// Is there an ordinary, visible file at the path?
bool FileExists(const QString &path);

// Writes the text in code page 949 followed by CR LF, replacing the file through a temporary
// file, so a failure leaves what was there intact. True on success. (The list is only ever
// saved whole: there is no appending.)
bool WriteTextFile(const QString &path, const QString &text);

// The file's bytes, read in chunks; nullopt when the file is missing, hidden, unreadable or
// larger than maxListFileBytes.
std::optional<QByteArray> ReadFileBytes(const QString &path, int chunkSize);

// The whole file as text (see decodeListFile); empty when it is missing, empty or unreadable.
QString ReadTextFile(const QString &path, int chunkSize);

} // namespace tombolix
