#include "core/ListFile.h"

#include "core/Cp949.h"

#include <QStringDecoder>

namespace tombolix {

QString listFileWord() {
    return QStringLiteral("tombolix");
}

QString buildListText(const QStringList &entries) {
    QString text = listFileWord();
    for (const QString &entry : entries)
        text += entry + QStringLiteral("\r\n");
    return text;
}

QString decodeListFile(const QByteArray &bytes) {
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    if (!isValidCp949(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return fromCp949(bytes);
}

bool isListText(const QString &text) {
    return text.startsWith(listFileWord());
}

QStringList parseListText(const QString &text) {
    QString body = text;
    body.remove(listFileWord(), Qt::CaseSensitive);
    return body.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

QStringList entriesNotFittingCp949(const QStringList &entries) {
    QStringList lossy;
    if (fitsCp949(entries.join(QString())))
        return lossy;
    for (const QString &entry : entries) {
        if (!fitsCp949(entry))
            lossy.append(entry);
    }
    return lossy;
}

} // namespace tombolix
