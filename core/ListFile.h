#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tombolix {

// A list file: the word "tombolix", then every entry followed by CR LF, in code page 949.
QString listFileWord();

// The file text without the final line end that WriteTextFile adds.
QString buildListText(const QStringList &entries);

// The text of a list file: UTF-8 after a UTF-8 byte-order mark; otherwise code page 949 when
// the bytes are valid code page 949, which every list this program saved is (and the bytes of
// many Korean texts are valid UTF-8 too: 홍 is C8 AB); otherwise UTF-8 when they are valid
// UTF-8 (a list edited on a UTF-8 system); otherwise code page 949 with U+FFFD for bad bytes.
QString decodeListFile(const QByteArray &bytes);

bool isListText(const QString &text);

// The entries of a list file's text: every "tombolix" removed, cut at CR LF, empty pieces
// skipped. Lone CR or LF stay inside an entry; entries are not trimmed.
QStringList parseListText(const QString &text);

// The entries that code page 949 cannot hold exactly.
QStringList entriesNotFittingCp949(const QStringList &entries);

} // namespace tombolix
