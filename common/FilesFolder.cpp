#include "common/FilesFolder.h"

#include "common/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tombolix {

QString decideFilesFolder(const QString &programFolder, const QString &documentsFolder) {
    if (QFileInfo(programFolder + QStringLiteral("/tombolix.portable")).isFile()) {
        QTemporaryFile probe(programFolder + QStringLiteral("/.tombolix-write-test-XXXXXX"));
        if (probe.open())
            return programFolder;
    }
    const QString documents = documentsFolder.isEmpty() ? QDir::homePath() : documentsFolder;
    return documents + QStringLiteral("/Tombolix");
}

QString pathToWrite(const Services &services, const QString &fileName) {
    QDir().mkpath(services.filesFolder);
    return QDir(services.filesFolder).filePath(fileName);
}

QUrl helpPage(const QString &programFolder) {
    const QString beside = programFolder + QStringLiteral("/tombolix_help.html");
    if (QFileInfo::exists(beside))
        return QUrl::fromLocalFile(beside);
    return QUrl::fromLocalFile(
        QDir::cleanPath(programFolder + QStringLiteral("/../share/tombolix/tombolix_help.html")));
}

QUrl verifierPage(const QString &programFolder) {
    const QString name = QStringLiteral("tombolix-verify.html");
    const QString beside = programFolder + u'/' + name;
    if (QFileInfo(beside).isFile())
        return QUrl::fromLocalFile(beside);
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("tombolix/") + name);
    return installed.isEmpty() ? QUrl() : QUrl::fromLocalFile(installed);
}

} // namespace tombolix
