#include "core/DrawFiles.h"

#include "core/DrawFileReader.h"

#include <QStringDecoder>

namespace tombolix::publicdraw {

namespace {

// The lines that follow the seed's lines in both files.
QString announcedTail(const Terms &terms) {
    return QStringLiteral("announcement_sha256=") + announcementCode(terms) +
           QStringLiteral("\nround_time=") + fileTime(roundTime(terms.round)) + u'\n';
}

} // namespace

std::optional<QString> decodeDrawFile(const QByteArray &bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

QString announcementText(const Announcement &announcement) {
    const Terms &t = announcement.terms;
    return QString::fromUtf8(announcedText(t)) + announcedTail(t) + u'\n' + listLines(announcement.list);
}

Expected<Announcement> parseAnnouncement(const QString &text) {
    const Expected<files::SplitFile> file = files::splitFile(text);
    if (!file)
        return Problem{file.problem()};
    return files::readAnnouncement(*file);
}

Expected<Announcement> files::readAnnouncement(const SplitFile &file, const Announcement *checked) {
    QString problem;
    HeaderReader header(file, &problem);
    const std::optional<Announcement> announced = readAnnounced(
        file, header, [] {}, checked);
    if (announced && !header.atEnd())
        header.fail(header.nextLineNumber(), QStringLiteral("예고 파일에 없어야 할 줄입니다."));
    if (header.failed())
        return Problem{problem};
    return *announced;
}

Result decide(const Announcement &announcement, const Round &round, const QStringList &relays) {
    const Terms &t = announcement.terms;
    return {announcement, round, relays,
            drawTickets(seed(t, round.randomness), t.count, t.winners, t.reserves)};
}

QString resultText(const Result &result) {
    const Terms &t = result.announcement.terms;
    QString text = QString::fromUtf8(seedText(t, result.round.randomness)) + announcedTail(t);
    text += QStringLiteral("signature=") + result.round.signature + u'\n';
    text += QStringLiteral("relays=") + result.relays.join(u',') + u'\n';
    text += QStringLiteral("seed=") + QString::fromLatin1(seed(t, result.round.randomness).toHex()) + u'\n';
    for (const QString &line : files::drawnLines(t, result.tickets, result.announcement.list))
        text += line + u'\n';
    return text + u'\n' + listLines(result.announcement.list);
}

} // namespace tombolix::publicdraw
