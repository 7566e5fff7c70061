#include "listfile/modIO.h"

#include "core/Cp949.h"
#include "core/ListFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tombolix {

bool FileExists(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

bool WriteTextFile(const QString &path, const QString &text) {
    const QByteArray bytes = toCp949(text + QStringLiteral("\r\n")).bytes;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QByteArray> ReadFileBytes(const QString &path, int chunkSize) {
    if (!FileExists(path) || chunkSize < 1)
        return std::nullopt;
    QFile file(path);
    const qint64 length = file.size();
    if (length > maxListFileBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data;
    data.reserve(length);
    QByteArray chunk(chunkSize, Qt::Uninitialized);
    while (data.size() < length) {
        const qint64 count = file.read(chunk.data(), qMin<qint64>(chunkSize, length - data.size()));
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break; // the file shrank while we read it
        data.append(chunk.constData(), count);
    }
    return data;
}

QString ReadTextFile(const QString &path, int chunkSize) {
    const std::optional<QByteArray> bytes = ReadFileBytes(path, chunkSize);
    return bytes ? decodeListFile(*bytes) : QString();
}

} // namespace tombolix
