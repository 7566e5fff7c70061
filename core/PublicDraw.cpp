#include "core/PublicDraw.h"

#include "core/Text.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTimeZone>
#include <QtEndian>

#include <algorithm>
#include <functional>
#include <numeric>
#include <utility>
#include <vector>

namespace tombolix::publicdraw {

namespace {

const QString ruleName = QStringLiteral("tombolix-draw-v1");

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

bool isLowerHex(const QString &text, qsizetype digits) {
    return text.size() == digits && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
           });
}

// A whole number written as the rule writes it: decimal digits, no sign, no leading zero.
std::optional<qint64> plainNumber(const QString &text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0 || QString::number(value) != text)
        return std::nullopt;
    return value;
}

QString atLine(int line, const QString &what) {
    return QStringLiteral("%1번째 줄: %2").arg(line).arg(what);
}

// A file of the rule: header lines "key=value" (the first one the rule's name), a blank line,
// then the list, one entry a line.
struct FileLine {
    int number = 0; // 1-based
    QString key;
    QString value;
};
struct SplitFile {
    QList<FileLine> header;
    QStringList list;
    int firstListLine = 0;
};

std::optional<SplitFile> splitFile(QString text, QString *problem) {
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); // the file went through Windows
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.value(0) != ruleName) {
        *problem = atLine(1, QStringLiteral("'%1'(으)로 시작하는 파일이 아닙니다.").arg(ruleName));
        return std::nullopt;
    }
    SplitFile file;
    int i = 1;
    for (; i < lines.size() && !lines.at(i).isEmpty(); ++i) {
        const qsizetype equals = lines.at(i).indexOf(u'=');
        if (equals <= 0) {
            *problem = atLine(i + 1, QStringLiteral("'이름=값' 형식이 아닙니다."));
            return std::nullopt;
        }
        file.header.append({i + 1, lines.at(i).left(equals), lines.at(i).mid(equals + 1)});
    }
    if (i >= lines.size()) {
        *problem = atLine(i + 1, QStringLiteral("목록 앞의 빈 줄이 없습니다."));
        return std::nullopt;
    }
    file.firstListLine = i + 2;
    file.list = lines.mid(i + 1);
    return file;
}

// Reads the header's lines in the order given, each checked by `check` (nullopt when the value
// is right, else what is wrong with it).
class HeaderReader {
public:
    HeaderReader(const SplitFile &file, QString *problem)
        : m_file(file)
        , m_problem(problem) {}

    // The value of the next line, which must carry `key`.
    std::optional<QString> next(const QString &key) {
        if (failed())
            return std::nullopt;
        if (m_at >= m_file.header.size()) {
            const int line = m_file.header.isEmpty() ? 2 : m_file.header.last().number + 1;
            return fail(line, QStringLiteral("'%1=' 줄이 있어야 합니다.").arg(key));
        }
        const FileLine &line = m_file.header.at(m_at++);
        if (line.key != key)
            return fail(line.number, QStringLiteral("'%1=' 줄이 있어야 할 자리에 '%2='이(가) 있습니다.")
                                         .arg(key, line.key));
        return line.value;
    }
    std::optional<qint64> number(const QString &key) {
        const std::optional<QString> value = next(key);
        if (!value)
            return std::nullopt;
        const std::optional<qint64> parsed = plainNumber(*value);
        if (!parsed)
            return fail<qint64>(lineNumber(), QStringLiteral("%1은(는) 0 이상의 정수여야 합니다.").arg(key));
        return parsed;
    }
    std::optional<QString> hex(const QString &key, int digits) {
        const std::optional<QString> value = next(key);
        if (value && !isLowerHex(*value, digits))
            return fail(lineNumber(), QStringLiteral("%1은(는) 16진수(소문자) %2자리여야 합니다.").arg(key).arg(digits));
        return value;
    }
    // The line last read.
    int lineNumber() const { return m_file.header.at(m_at - 1).number; }
    bool failed() const { return !m_problem->isEmpty(); }
    bool atEnd() const { return m_at >= m_file.header.size(); }
    template <typename T = QString> std::optional<T> fail(int line, const QString &what) {
        if (!failed())
            *m_problem = atLine(line, what);
        return std::nullopt;
    }

private:
    const SplitFile &m_file;
    QString *m_problem;
    qsizetype m_at = 0;
};

// The announced part of either file: the terms in the seed's order (the randomness, in a result
// file, read by `randomness` between the round and the label), the round's time, and the list.
std::optional<Announcement> readAnnounced(const SplitFile &file, HeaderReader &header,
                                          const std::function<void()> &randomness) {
    Announcement announced;
    Terms &terms = announced.terms;
    const std::optional<QString> listSha = header.hex(QStringLiteral("list_sha256"), 64);
    const int listShaLine = header.failed() ? 0 : header.lineNumber();
    const std::optional<qint64> count = header.number(QStringLiteral("list_count"));
    const int countLine = header.failed() ? 0 : header.lineNumber();
    const std::optional<qint64> winners = header.number(QStringLiteral("winners"));
    const std::optional<qint64> reserves = header.number(QStringLiteral("reserves"));
    const int reservesLine = header.failed() ? 0 : header.lineNumber();
    const std::optional<QString> beacon = header.next(QStringLiteral("beacon"));
    if (beacon && *beacon != QStringLiteral("drand:") + chainHash())
        return header.fail<Announcement>(header.lineNumber(),
                                         QStringLiteral("공개 난수는 drand quicknet(drand:%1)이어야 합니다.")
                                             .arg(chainHash()));
    const std::optional<qint64> round = header.number(QStringLiteral("round"));
    const int roundLine = header.failed() ? 0 : header.lineNumber();
    if (round && *round < 1)
        return header.fail<Announcement>(header.lineNumber(), QStringLiteral("라운드 번호는 1 이상이어야 합니다."));
    randomness();
    const std::optional<QString> label = header.next(QStringLiteral("label"));
    if (label && (holdsControl(*label) || label->normalized(QString::NormalizationForm_C) != *label))
        return header.fail<Announcement>(header.lineNumber(),
                                         QStringLiteral("추첨 이름에 제어 문자가 있거나 NFC 형태가 아닙니다."));
    const std::optional<QString> time = header.next(QStringLiteral("round_time"));
    if (header.failed())
        return std::nullopt;
    if (*time != fileTime(roundTime(*round)))
        return header.fail<Announcement>(header.lineNumber(), QStringLiteral("%1번째 줄의 라운드 %2의 시각은 %3입니다.")
                                                                  .arg(roundLine)
                                                                  .arg(*round)
                                                                  .arg(fileTime(roundTime(*round))));

    // The list: canonical entries in order, no more than a draw list holds.
    if (file.list.size() > maxEntries)
        return header.fail<Announcement>(file.firstListLine,
                                         QStringLiteral("목록의 항목이 %1개를 넘습니다.").arg(maxEntries));
    QByteArray previous;
    for (int i = 0; i < file.list.size(); ++i) {
        const QString &entry = file.list.at(i);
        const int line = file.firstListLine + i;
        if (entry.isEmpty() || canonicalEntry(entry) != entry || holdsControl(entry))
            return header.fail<Announcement>(line, QStringLiteral("목록의 항목이 정해진 형태가 아닙니다."));
        const QByteArray bytes = entry.toUtf8();
        if (i > 0 && !(previous < bytes))
            return header.fail<Announcement>(
                line, QStringLiteral("목록의 항목이 %1번째 줄의 항목보다 UTF-8 순서로 앞서거나 같습니다.").arg(line - 1));
        previous = bytes;
    }
    announced.list = file.list;
    if (*count != file.list.size())
        return header.fail<Announcement>(countLine, QStringLiteral("목록의 항목은 %1개입니다.").arg(file.list.size()));
    if (*listSha != sha256Hex(canonicalFile(file.list)))
        return header.fail<Announcement>(listShaLine, QStringLiteral("목록(%1번째 줄부터)의 SHA-256과 다릅니다.")
                                                          .arg(file.firstListLine));
    if (const std::optional<QString> impossible = termsProblem(int(*count), int(qMin<qint64>(*winners, maxEntries + 1)),
                                                               int(qMin<qint64>(*reserves, maxEntries + 1))))
        return header.fail<Announcement>(reservesLine, *impossible);
    terms = {*listSha, int(*count), int(*winners), int(*reserves), *round, *label};
    return announced;
}

QString ticketLine(const QString &key, int i, int ticket, const QStringList &list) {
    return QStringLiteral("%1.%2=%3\t%4").arg(key).arg(i).arg(ticket).arg(list.at(ticket - 1));
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
    return QDateTime::fromSecsSinceEpoch(unixSeconds, QTimeZone(9 * 3600))
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString fileTime(qint64 unixSeconds) {
    return QDateTime::fromSecsSinceEpoch(unixSeconds, QTimeZone(9 * 3600)).toString(Qt::ISODate);
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
    return QDateTime(date, time, QTimeZone(9 * 3600)).toSecsSinceEpoch();
}

qint64 suggestedDrawTime(qint64 nowSeconds) {
    constexpr qint64 tenMinutes = 600;
    return (nowSeconds + tenMinutes + tenMinutes - 1) / tenMinutes * tenMinutes;
}

QString canonicalEntry(const QString &entry) {
    return trimmedOf(entry.normalized(QString::NormalizationForm_C), isTrimmed);
}

bool holdsControl(const QString &text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

CanonicalList canonicalList(const QStringList &drawList) {
    CanonicalList canonical;
    std::vector<std::pair<QByteArray, QString>> sorted;
    sorted.reserve(size_t(drawList.size()));
    for (const QString &entry : drawList) {
        QString made = canonicalEntry(entry);
        if (made.isEmpty())
            continue;
        if (holdsControl(made))
            canonical.withControl.append(made);
        sorted.emplace_back(made.toUtf8(), std::move(made));
    }
    std::sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    canonical.entries.reserve(qsizetype(sorted.size()));
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i > 0 && sorted[i].first == sorted[i - 1].first) {
            if (canonical.repeated.isEmpty() || canonical.repeated.last() != sorted[i].second)
                canonical.repeated.append(sorted[i].second);
        }
        canonical.entries.append(sorted[i].second);
    }
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

QByteArray seedText(const Terms &terms, const QString &randomness) {
    return (ruleName + u'\n' + QStringLiteral("list_sha256=") + terms.listSha256 + u'\n' +
            QStringLiteral("list_count=") + QString::number(terms.count) + u'\n' + QStringLiteral("winners=") +
            QString::number(terms.winners) + u'\n' + QStringLiteral("reserves=") + QString::number(terms.reserves) +
            u'\n' + QStringLiteral("beacon=drand:") + chainHash() + u'\n' + QStringLiteral("round=") +
            QString::number(terms.round) + u'\n' + QStringLiteral("randomness=") + randomness + u'\n' +
            QStringLiteral("label=") + terms.label.normalized(QString::NormalizationForm_C) + u'\n')
        .toUtf8();
}

QByteArray seed(const Terms &terms, const QString &randomness) {
    return QCryptographicHash::hash(seedText(terms, randomness), QCryptographicHash::Sha256);
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

std::optional<QString> roundProblem(const Round &round, qint64 expected) {
    if (round.number != expected)
        return QStringLiteral("라운드 %1이(가) 아니라 라운드 %2의 정보입니다.").arg(expected).arg(round.number);
    if (!isLowerHex(round.randomness, 64) || !isLowerHex(round.signature, 96))
        return QStringLiteral("라운드 정보의 randomness나 signature가 16진수 64자리, 96자리가 아닙니다.");
    if (sha256Hex(QByteArray::fromHex(round.signature.toLatin1())) != round.randomness)
        return QStringLiteral("라운드 정보의 randomness가 signature의 SHA-256과 다릅니다.");
    return std::nullopt;
}

std::optional<Round> parseRound(const QByteArray &json, qint64 expected, QString *problem) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        *problem = QStringLiteral("라운드 정보(JSON)를 읽을 수 없습니다.");
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const QJsonValue number = object.value(QStringLiteral("round"));
    Round round{number.isDouble() ? number.toInteger(-1) : -1,
                object.value(QStringLiteral("randomness")).toString().toLower(),
                object.value(QStringLiteral("signature")).toString().toLower()};
    if (std::optional<QString> wrong = roundProblem(round, expected)) {
        *problem = *wrong;
        return std::nullopt;
    }
    return round;
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
            .arg(qint64(winners) + reserves)
            .arg(count);
    return std::nullopt;
}

QString announcementText(const Announcement &announcement) {
    const Terms &t = announcement.terms;
    QString text = ruleName + u'\n';
    text += QStringLiteral("list_sha256=%1\nlist_count=%2\nwinners=%3\nreserves=%4\nbeacon=drand:%5\nround=%6\n")
                .arg(t.listSha256)
                .arg(t.count)
                .arg(t.winners)
                .arg(t.reserves)
                .arg(chainHash())
                .arg(t.round);
    text += QStringLiteral("label=") + t.label + u'\n';
    text += QStringLiteral("round_time=") + fileTime(roundTime(t.round)) + QStringLiteral("\n\n");
    return text + QString::fromUtf8(canonicalFile(announcement.list));
}

std::optional<Announcement> parseAnnouncement(const QString &text, QString *problem) {
    problem->clear();
    const std::optional<SplitFile> file = splitFile(text, problem);
    if (!file)
        return std::nullopt;
    HeaderReader header(*file, problem);
    std::optional<Announcement> announced = readAnnounced(*file, header, [] {});
    if (announced && !header.atEnd())
        return header.fail<Announcement>(file->header.at(8).number,
                                         QStringLiteral("예고 파일에 없어야 할 줄입니다."));
    return announced;
}

Result decide(const Announcement &announcement, const Round &round, const QStringList &relays) {
    const Terms &t = announcement.terms;
    return {announcement, round, relays, drawTickets(seed(t, round.randomness), t.count, t.winners, t.reserves)};
}

QString resultText(const Result &result) {
    const Terms &t = result.announcement.terms;
    QString text = QString::fromUtf8(seedText(t, result.round.randomness));
    text += QStringLiteral("round_time=") + fileTime(roundTime(t.round)) + u'\n';
    text += QStringLiteral("signature=") + result.round.signature + u'\n';
    text += QStringLiteral("relays=") + result.relays.join(u',') + u'\n';
    text += QStringLiteral("seed=") + QString::fromLatin1(seed(t, result.round.randomness).toHex()) + u'\n';
    for (int i = 0; i < result.tickets.winners.size(); ++i)
        text += ticketLine(QStringLiteral("winner"), i + 1, result.tickets.winners.at(i), result.announcement.list) +
                u'\n';
    for (int i = 0; i < result.tickets.reserves.size(); ++i)
        text += ticketLine(QStringLiteral("reserve"), i + 1, result.tickets.reserves.at(i), result.announcement.list) +
                u'\n';
    return text + u'\n' + QString::fromUtf8(canonicalFile(result.announcement.list));
}

Verified verifyResult(const QString &text, const QStringList &relayNames) {
    Verified verified;
    QString problem;
    const std::optional<SplitFile> file = splitFile(text, &problem);
    if (!file)
        return {std::nullopt, problem};
    HeaderReader header(*file, &problem);
    std::optional<QString> randomness;
    int randomnessLine = 0;
    const std::optional<Announcement> announced = readAnnounced(*file, header, [&] {
        randomness = header.hex(QStringLiteral("randomness"), 64);
        randomnessLine = header.failed() ? 0 : header.lineNumber();
    });
    if (!announced)
        return {std::nullopt, problem};
    const Terms &terms = announced->terms;
    const std::optional<QString> signature = header.hex(QStringLiteral("signature"), 96);
    const int signatureLine = header.failed() ? 0 : header.lineNumber();
    const std::optional<QString> relays = header.next(QStringLiteral("relays"));
    const int relaysLine = header.failed() ? 0 : header.lineNumber();
    const std::optional<QString> seedHex = header.hex(QStringLiteral("seed"), 64);
    const int seedLine = header.failed() ? 0 : header.lineNumber();
    if (header.failed())
        return {std::nullopt, problem};

    // As many winner and reserve lines as the file says.
    const auto lines = [&](const QString &prefix) {
        return std::count_if(file->header.cbegin(), file->header.cend(),
                             [&prefix](const FileLine &line) { return line.key.startsWith(prefix); });
    };
    if (lines(QStringLiteral("winner.")) != terms.winners)
        return {std::nullopt, atLine(4, QStringLiteral("winners=%1인데 당첨자 줄은 %2개입니다.")
                                            .arg(terms.winners)
                                            .arg(lines(QStringLiteral("winner."))))};
    if (lines(QStringLiteral("reserve.")) != terms.reserves)
        return {std::nullopt, atLine(5, QStringLiteral("reserves=%1인데 예비 당첨자 줄은 %2개입니다.")
                                            .arg(terms.reserves)
                                            .arg(lines(QStringLiteral("reserve."))))};

    Result result{*announced, {terms.round, *randomness, *signature}, relays->split(u','), {}};
    if (sha256Hex(QByteArray::fromHex(signature->toLatin1())) != *randomness)
        return {result, atLine(randomnessLine, QStringLiteral("randomness가 %1번째 줄 signature의 SHA-256과 다릅니다.")
                                                   .arg(signatureLine))};
    const QSet<QString> known(relayNames.cbegin(), relayNames.cend());
    const bool pasted = result.relays == QStringList{QString::fromLatin1(pastedRound)};
    if (!pasted && std::any_of(result.relays.cbegin(), result.relays.cend(),
                               [&known](const QString &name) { return !known.contains(name); }))
        return {result, atLine(relaysLine, QStringLiteral("알 수 없는 공개 난수 서버가 있습니다."))};
    const QByteArray expectedSeed = seed(terms, *randomness);
    if (*seedHex != QString::fromLatin1(expectedSeed.toHex()))
        return {result, atLine(seedLine, QStringLiteral("seed가 1–9번째 줄로 계산한 값(%1)과 다릅니다.")
                                             .arg(QString::fromLatin1(expectedSeed.toHex())))};

    // Every winner and reserve, as the rule draws them.
    result.tickets = drawTickets(expectedSeed, terms.count, terms.winners, terms.reserves);
    QStringList expected;
    for (int i = 0; i < result.tickets.winners.size(); ++i)
        expected.append(ticketLine(QStringLiteral("winner"), i + 1, result.tickets.winners.at(i), announced->list));
    for (int i = 0; i < result.tickets.reserves.size(); ++i)
        expected.append(ticketLine(QStringLiteral("reserve"), i + 1, result.tickets.reserves.at(i), announced->list));
    for (const QString &line : expected) {
        const qsizetype equals = line.indexOf(u'=');
        const std::optional<QString> value = header.next(line.left(equals));
        if (!value)
            return {result, problem};
        if (*value != line.mid(equals + 1))
            return {result, atLine(header.lineNumber(),
                                   QStringLiteral("규칙으로 계산한 값은 '%1'입니다.").arg(line).replace(u'\t', u' '))};
    }
    if (!header.atEnd())
        return {result, atLine(file->header.at(12 + qsizetype(expected.size())).number,
                               QStringLiteral("결과 파일에 없어야 할 줄입니다."))};
    return {result, std::nullopt};
}

} // namespace tombolix::publicdraw
