#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tombolix {

// A list file: the word "tombolix", then every entry followed by CR LF, in code page 949.
QString listFileWord();

// The file text without the final line end that WriteTextFile adds.
QString buildListText(const QStringList &entries);

// Code page 949, unless the bytes are valid UTF-8 with at least one non-ASCII byte or start
// with a UTF-8 byte-order mark: real Korean code page 949 text is never valid UTF-8, so this
// only lets a list edited on a UTF-8 system be read as written.
QString decodeListFile(const QByteArray &bytes);

bool isListText(const QString &text);

// The entries of a list file's text: every "tombolix" removed, cut at CR LF, empty pieces
// skipped. Lone CR or LF stay inside an entry; entries are not trimmed.
QStringList parseListText(const QString &text);

// The entries that code page 949 cannot hold exactly.
QStringList entriesNotFittingCp949(const QStringList &entries);

} // namespace tombolix
