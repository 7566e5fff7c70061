#include "core/PublicDraw.h"

#include "core/Text.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QTimeZone>
#include <QtEndian>

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace tombolix::publicdraw {

namespace {

bool isTrimmed(QChar c) {
    switch (c.unicode()) {
    case 0x0009:
    case 0x0020:
    case 0x00A0:
    case 0x3000:
    case 0x200B:
    case 0xFEFF:
        return true;
    default:
        return false;
    }
}

const QTimeZone &korea() {
    static const QTimeZone zone(9 * 3600);
    return zone;
}

// The seed's lines; without the randomness line, the announced ones.
QString seedLines(const Terms &terms, const QString *randomness) {
    QString text = QStringLiteral("tombolix-draw-v1\nlist_sha256=") + terms.listSha256 +
                   QStringLiteral("\nlist_count=") + QString::number(terms.count) +
                   QStringLiteral("\nwinners=") + QString::number(terms.winners) +
                   QStringLiteral("\nreserves=") + QString::number(terms.reserves) +
                   QStringLiteral("\nbeacon=drand:") + chainHash() + QStringLiteral("\nround=") +
                   QString::number(terms.round) + u'\n';
    if (randomness)
        text += QStringLiteral("randomness=") + *randomness + u'\n';
    return text + QStringLiteral("label=") + terms.label.normalized(QString::NormalizationForm_C) + u'\n';
}

} // namespace

QString chainHash() {
    return QStringLiteral("52db9ba70e0cc0f6eaf7803dd07447a1f5477735fd3f661792ba94600c84e971");
}

qint64 roundAt(qint64 unixSeconds) {
    return (unixSeconds - genesisSeconds) / periodSeconds + 1;
}

qint64 roundTime(qint64 round) {
    return genesisSeconds + (round - 1) * periodSeconds;
}

QString koreanTime(qint64 unixSeconds) {
    return QDateTime::fromSecsSinceEpoch(unixSeconds, korea())
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString fileTime(qint64 unixSeconds) {
    return QDateTime::fromSecsSinceEpoch(unixSeconds, korea()).toString(Qt::ISODate);
}

std::optional<qint64> parseKoreanTime(const QString &text) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, korea()).toSecsSinceEpoch();
}

qint64 suggestedDrawTime(qint64 nowSeconds) {
    constexpr qint64 tenMinutes = 600;
    return (nowSeconds + tenMinutes + tenMinutes - 1) / tenMinutes * tenMinutes;
}

QString canonicalEntry(const QString &entry) {
    return trimmedOf(entry.normalized(QString::NormalizationForm_C), isTrimmed);
}

bool holdsUnusable(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text.at(++i)); // a whole pair: one character outside the BMP
        else if (c.isSurrogate())
            return true;
        const QChar::Category category = QChar::category(code);
        if (category == QChar::Other_Control || category == QChar::Other_NotAssigned)
            return true;
    }
    return false;
}

bool showsNothing(char32_t code) {
    return QChar::category(code) == QChar::Other_Format || code == 0x034F || code == 0x115F ||
           code == 0x1160 || code == 0x17B4 || code == 0x17B5 || (code >= 0x180B && code <= 0x180F) ||
           code == 0x3164 || (code >= 0xFE00 && code <= 0xFE0F) || code == 0xFFA0 ||
           (code >= 0xE0100 && code <= 0xE01EF);
}

bool unusableInLabel(const QString &label) {
    if (holdsUnusable(label))
        return true;
    const QList<uint> codes = label.toUcs4();
    return std::any_of(codes.cbegin(), codes.cend(), [](uint code) {
        const QChar::Category category = QChar::category(char32_t(code));
        return category == QChar::Other_Format || category == QChar::Separator_Line ||
               category == QChar::Separator_Paragraph;
    });
}

QString lookAlikeKey(const QString &entry) {
    const QList<uint> codes = entry.normalized(QString::NormalizationForm_KC).toUcs4();
    QString key;
    for (const uint code : codes) {
        if (!showsNothing(char32_t(code)))
            key += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
    }
    return key;
}

CanonicalList canonicalList(const QStringList &drawList) {
    struct Made {
        QByteArray bytes; // the order
        QString entry;
        QString key; // lookAlikeKey, made once
    };
    CanonicalList canonical;
    std::vector<Made> sorted;
    sorted.reserve(size_t(drawList.size()));
    for (const QString &entry : drawList) {
        QString made = canonicalEntry(entry);
        if (made.isEmpty())
            continue;
        QString key = lookAlikeKey(made);
        if (holdsUnusable(made) || key.isEmpty())
            canonical.unusable.append(made);
        sorted.push_back({made.toUtf8(), std::move(made), std::move(key)});
    }
    std::sort(sorted.begin(), sorted.end(), [](const Made &a, const Made &b) { return a.bytes < b.bytes; });
    canonical.entries.reserve(qsizetype(sorted.size()));
    QHash<QString, QString> firstByKey;
    for (size_t i = 0; i < sorted.size(); ++i) {
        const Made &made = sorted[i];
        if (i > 0 && made.bytes == sorted[i - 1].bytes) {
            if (canonical.repeated.isEmpty() || canonical.repeated.last() != made.entry)
                canonical.repeated.append(made.entry);
        } else {
            const auto first = firstByKey.constFind(made.key);
            if (first == firstByKey.cend())
                firstByKey.insert(made.key, made.entry);
            else if (!made.key.isEmpty())
                canonical.lookAlike << *first << made.entry;
        }
        canonical.entries.append(made.entry);
    }
    canonical.lookAlike.removeDuplicates();
    return canonical;
}

QByteArray canonicalFile(const QStringList &entries) {
    QByteArray file;
    for (const QString &entry : entries)
        file += entry.toUtf8() + '\n';
    return file;
}

QString sha256Hex(const QByteArray &bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

std::optional<QString> termsProblem(int count, int winners, int reserves) {
    if (count < 1)
        return QStringLiteral("목록에 항목이 없습니다.");
    if (count > maxEntries)
        return QStringLiteral("목록의 항목이 %1개를 넘습니다.").arg(maxEntries);
    if (winners < 1)
        return QStringLiteral("당첨자는 1명 이상이어야 합니다.");
    if (reserves < 0)
        return QStringLiteral("예비 당첨자 수는 0 이상이어야 합니다.");
    if (qint64(winners) + reserves > count)
        return QStringLiteral("당첨자와 예비 당첨자를 합한 수(%1)가 목록의 항목 수(%2)보다 많습니다.")
            .arg(QString::number(qint64(winners) + reserves), QString::number(count));
    return std::nullopt;
}

QByteArray seedText(const Terms &terms, const QString &randomness) {
    return seedLines(terms, &randomness).toUtf8();
}

QByteArray seed(const Terms &terms, const QString &randomness) {
    return QCryptographicHash::hash(seedText(terms, randomness), QCryptographicHash::Sha256);
}

QByteArray announcedText(const Terms &terms) {
    return seedLines(terms, nullptr).toUtf8();
}

QString announcementCode(const Terms &terms) {
    return sha256Hex(announcedText(terms));
}

Numbers::Numbers(const QByteArray &seed)
    : m_seed(seed) {}

quint64 Numbers::word() {
    const qint64 inBlock = m_used % 4;
    if (inBlock == 0) {
        QByteArray input = m_seed;
        input.resize(m_seed.size() + 8);
        qToBigEndian<quint64>(m_blockNumber++, input.data() + m_seed.size());
        m_block = QCryptographicHash::hash(input, QCryptographicHash::Sha256);
    }
    ++m_used;
    return qFromBigEndian<quint64>(m_block.constData() + inBlock * 8);
}

quint64 Numbers::uniform(quint64 m) {
    const quint64 threshold = (0 - m) % m; // 2^64 mod m
    for (;;) {
        const quint64 x = word();
        if (x >= threshold)
            return x % m;
    }
}

Tickets drawTickets(const QByteArray &seed, int count, int winners, int reserves) {
    std::vector<int> a(static_cast<size_t>(count));
    std::iota(a.begin(), a.end(), 0);
    Numbers numbers(seed);
    Tickets tickets;
    for (int i = 0; i < winners + reserves; ++i) {
        const int j = i + int(numbers.uniform(quint64(count - i)));
        std::swap(a[size_t(i)], a[size_t(j)]);
        (i < winners ? tickets.winners : tickets.reserves).append(a[size_t(i)] + 1);
    }
    return tickets;
}

} // namespace tombolix::publicdraw
