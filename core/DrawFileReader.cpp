#include "core/DrawFileReader.h"

#include "core/Beside.h"
#include "core/Text.h"

#include <QHash>

#include <numeric>
#include <utility>
#include <vector>

namespace tombolix::publicdraw::files {

namespace {

// A whole number written as the rule writes it: decimal digits, no sign, no leading zero.
std::optional<qint64> plainNumber(const QString &text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0 || QString::number(value) != text)
        return std::nullopt;
    return value;
}

// The label as the rule writes it: canonical, and nothing in it that could pass for other lines.
bool canonicalLabel(const QString &label, Rule rule) {
    if (rule == Rule::V1)
        return !unusableInLabel(label, rule) && canonicalEntry(label, rule) == label;
    return !label.isEmpty() && !tooLong(label) && !unusableInLabel(label, rule) &&
           canonicalEntry(label, rule) == label;
}

// The prize lines after the label, "prize.<i>=<count>\t<name>" from 1 in turn (none in a file of
// the first rule, which had no prizes).
std::optional<QList<Prize>> readPrizes(HeaderReader &header) {
    QList<Prize> prizes;
    while (header.file().rule != Rule::V1) {
        const QString key = QStringLiteral("prize.") + QString::number(prizes.size() + 1);
        const std::optional<QString> value = header.nextIf(key);
        if (!value)
            break;
        const qsizetype tab = value->indexOf(u'\t');
        const std::optional<qint64> count = plainNumber(value->left(tab));
        if (tab < 0 || !count || *count < 1 || *count > maxEntries)
            return header.fail<QList<Prize>>(header.lineNumber(),
                                             key + QStringLiteral("은(는) '당첨자 수<탭>상품 "
                                                                  "이름'이어야 합니다."));
        prizes.append({int(*count), value->mid(tab + 1)});
    }
    if (header.failed())
        return std::nullopt;
    return prizes;
}

} // namespace

std::optional<LineProblem> listProblem(const QStringList &list, const QList<int> &lines, Rule rule) {
    if (list.size() > maxEntries)
        return LineProblem{lines.value(0, 1),
                           QStringLiteral("목록의 항목이 %1개를 넘습니다.").arg(maxEntries)};
    // Most names are of the first plane's plain code points, which are their own canonical form:
    // their keys are made first, into one text, and looked up as views of it. Any other entry is
    // read the long way, in turn, where the list's length in all still bounds the work.
    QString plainKeys;
    std::vector<std::pair<qsizetype, qsizetype>> plain(size_t(list.size()), {-1, 0}); // where, how long
    if (rule == currentRule) {
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString &entry = list.at(i);
            if (entry.isEmpty() || tooLong(entry))
                continue;
            const qsizetype at = plainKeys.size();
            if (const qsizetype length = appendPlainKey(entry, plainKeys); length >= 0)
                plain[size_t(i)] = {at, length};
        }
    }
    QStringList otherKeys; // the texts the views of the others' keys look into
    qint64 shown = 0;
    QHash<QStringView, int> lineOfKey; // no two entries that read the same
    lineOfKey.reserve(list.size());
    for (int i = 0; i < list.size(); ++i) {
        const QString &entry = list.at(i);
        const int line = lines.at(i);
        if (entry.isEmpty() || tooLong(entry))
            return LineProblem{line, QStringLiteral("목록의 항목이 정해진 형태가 아닙니다.")};
        const auto [at, length] = plain[size_t(i)];
        EntryReading read;
        if (at >= 0) {
            read.shown = entry.size();
        } else {
            read = readEntry(entry, rule);
            otherKeys.append(read.key);
        }
        shown += read.shown;
        if (shown > maxShownLength)
            return LineProblem{line,
                               QStringLiteral("목록이 너무 깁니다. 보기에 모두 %1자를 넘습니다. 공개 추첨의 "
                                              "목록이 아닙니다.")
                                   .arg(maxShownLength)};
        if (at < 0 && (read.unusable || read.canonical != entry || read.key.isEmpty()))
            return LineProblem{line, QStringLiteral("목록의 항목이 정해진 형태가 아닙니다.")};
        const QStringView key =
            at >= 0 ? QStringView(plainKeys).mid(at, length) : QStringView(otherKeys.last());
        if (const auto seen = lineOfKey.constFind(key); seen != lineOfKey.cend())
            return LineProblem{
                line, QStringLiteral("목록의 항목이 %1번째 줄의 항목과 보기에 같습니다.").arg(*seen)};
        lineOfKey.insert(key, line);
        if (i > 0 && !beforeInUtf8(list.at(i - 1), entry))
            return LineProblem{
                line, QStringLiteral("목록의 항목이 %1번째 줄의 항목보다 UTF-8 순서로 앞서거나 같습니다.")
                          .arg(lines.at(i - 1))};
    }
    return std::nullopt;
}

QString atLine(int line, const QString &what) {
    return QString::number(line) + QStringLiteral("번째 줄: ") + what;
}

QStringList drawnLines(const Terms &terms, const Tickets &tickets, const QStringList &list) {
    QStringList lines;
    const auto ticketLines = [&](const QString &key, const QList<int> &drawn) {
        for (int i = 0; i < drawn.size(); ++i)
            lines.append(key + u'.' + QString::number(i + 1) + u'=' + QString::number(drawn.at(i)) + u'\t' +
                         list.at(drawn.at(i) - 1));
    };
    ticketLines(QStringLiteral("winner"), tickets.winners);
    int first = 1;
    for (int p = 0; p < terms.prizes.size(); ++p) {
        const int last = first + terms.prizes.at(p).count - 1;
        lines.append(QStringLiteral("rank.") + QString::number(p + 1) + u'=' + QString::number(first) + u'-' +
                     QString::number(last) + u'\t' + terms.prizes.at(p).name);
        first = last + 1;
    }
    ticketLines(QStringLiteral("reserve"), tickets.reserves);
    return lines;
}

Expected<SplitFile> splitFile(QString text) {
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // The first line names the rule; any other text (a post, a page) is told so before it is cut up.
    SplitFile file;
    const QStringView first = QStringView(text).left(text.indexOf(u'\n'));
    const QStringView name = first.endsWith(u'\r') ? first.chopped(1) : first;
    if (const std::optional<Rule> rule = ruleNamed(name.size() <= 32 ? name.toString() : QString()))
        file.rule = *rule;
    else
        return Problem{atLine(1, QStringLiteral("공개 추첨의 파일('tombolix-draw-v2'나 그 전의 "
                                                "'tombolix-draw-v1'로 시작하는 파일)이 아닙니다."))};
    // No file of the rule holds more lines than its header and a full list (a winner, rank or
    // reserve line for every entry at most): anything longer is refused before it is cut up.
    if (text.count(u'\n') > 3 * maxEntries + 16)
        return Problem{QStringLiteral("파일의 줄이 너무 많습니다. 공개 추첨의 파일이 아닙니다.")};
    if (text.contains(u'\r'))
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); // the file went through Windows
    QStringList lines = text.split(u'\n');
    // Every line ends "\n": a file whose last line has none was cut or changed.
    if (!lines.last().isEmpty())
        return Problem{
            atLine(int(lines.size()),
                   QStringLiteral("줄이 줄바꿈으로 끝나지 않습니다. 파일이 잘렸거나 바뀌었습니다."))};
    lines.removeLast();
    int i = 1;
    for (; i < lines.size() && !lines.at(i).isEmpty(); ++i) {
        const qsizetype equals = lines.at(i).indexOf(u'=');
        if (equals <= 0)
            return Problem{atLine(i + 1, QStringLiteral("'이름=값' 형식이 아닙니다."))};
        file.header.append({i + 1, lines.at(i).left(equals), lines.at(i).mid(equals + 1)});
    }
    if (i >= lines.size())
        return Problem{atLine(i + 1, QStringLiteral("목록 앞의 빈 줄이 없습니다."))};
    file.firstListLine = i + 2;
    file.list = lines.mid(i + 1);
    return file;
}

HeaderReader::HeaderReader(const SplitFile &file, QString *problem)
    : m_file(file)
    , m_problem(problem) {}

std::optional<QString> HeaderReader::next(const QString &key) {
    if (failed())
        return std::nullopt;
    if (atEnd())
        return fail(nextLineNumber(), u'\'' + key + QStringLiteral("=' 줄이 있어야 합니다."));
    const FileLine &line = m_file.header.at(m_at++);
    if (line.key != key)
        return fail(line.number, u'\'' + key + QStringLiteral("=' 줄이 있어야 할 자리에 '") + line.key +
                                     QStringLiteral("='이(가) 있습니다."));
    return line.value;
}

std::optional<QString> HeaderReader::nextIf(const QString &key) {
    if (failed() || atEnd() || m_file.header.at(m_at).key != key)
        return std::nullopt;
    return next(key);
}

std::optional<qint64> HeaderReader::number(const QString &key) {
    const std::optional<QString> value = next(key);
    if (!value)
        return std::nullopt;
    const std::optional<qint64> parsed = plainNumber(*value);
    if (!parsed)
        return fail<qint64>(lineNumber(), key + QStringLiteral("은(는) 0 이상의 정수여야 합니다."));
    return parsed;
}

std::optional<QString> HeaderReader::hex(const QString &key, int digits) {
    const std::optional<QString> value = next(key);
    if (value && !isLowerHex(*value, digits))
        return fail(lineNumber(),
                    key + QStringLiteral("은(는) 16진수(소문자) %1자리여야 합니다.").arg(digits));
    return value;
}

int HeaderReader::lineNumber() const {
    return m_file.header.at(m_at - 1).number;
}

int HeaderReader::nextLineNumber() const {
    if (!atEnd())
        return m_file.header.at(m_at).number;
    return m_file.header.isEmpty() ? 2 : m_file.header.last().number + 1;
}

std::optional<Announcement> readAnnounced(const SplitFile &file, HeaderReader &header,
                                          const std::function<void()> &randomness,
                                          const Announcement *checked) {
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
                                         QStringLiteral("공개 난수는 drand quicknet(drand:") + chainHash() +
                                             QStringLiteral(")이어야 합니다."));
    const std::optional<qint64> round = header.number(QStringLiteral("round"));
    const int roundLine = header.failed() ? 0 : header.lineNumber();
    if (round && !roundInRange(*round))
        return header.fail<Announcement>(
            header.lineNumber(), QStringLiteral("라운드 번호는 1 이상 %1 이하여야 합니다.").arg(maxRound));
    randomness();
    const std::optional<QString> label = header.next(QStringLiteral("label"));
    if (label && !canonicalLabel(*label, file.rule))
        return header.fail<Announcement>(header.lineNumber(),
                                         QStringLiteral("추첨 이름에 쓸 수 없는 문자가 있거나 "
                                                        "정해진 형태가 아닙니다."));
    const std::optional<QList<Prize>> prizes = readPrizes(header);
    const int firstPrizeLine =
        prizes && !prizes->isEmpty() ? header.lineNumber() - int(prizes->size()) + 1 : 0;
    const std::optional<QString> code = header.nextIf(QStringLiteral("announcement_sha256"));
    const int codeLine = code ? header.lineNumber() : 0;
    if (code && !isLowerHex(*code, 64))
        return header.fail<Announcement>(
            codeLine, QStringLiteral("announcement_sha256은(는) 16진수(소문자) 64자리여야 합니다."));
    const std::optional<QString> time = header.next(QStringLiteral("round_time"));
    if (header.failed())
        return std::nullopt;
    if (*time != fileTime(roundTime(*round)))
        return header.fail<Announcement>(header.lineNumber(),
                                         QString::number(roundLine) +
                                             QStringLiteral("번째 줄의 라운드 %1의 시각은 ").arg(*round) +
                                             fileTime(roundTime(*round)) + QStringLiteral("입니다."));

    const Rule rule = file.rule;
    // a long list's SHA-256 is worked out beside its reading, which takes several times as long
    const auto listHash = [&file] { return sha256Hex(canonicalFile(file.list)); };
    std::optional<Beside<QString>> hashed;
    if (file.list.size() >= 1024)
        hashed.emplace(listHash);
    QList<int> lines(file.list.size());
    std::iota(lines.begin(), lines.end(), file.firstListLine);
    const bool checkedAlready = checked && checked->terms.rule == rule && checked->list == file.list;
    if (const std::optional<LineProblem> wrong =
            checkedAlready ? std::nullopt : listProblem(file.list, lines, rule))
        return header.fail<Announcement>(wrong->line, wrong->what);
    if (*count != file.list.size())
        return header.fail<Announcement>(countLine,
                                         QStringLiteral("목록의 항목은 %1개입니다.").arg(file.list.size()));
    if (*listSha != (hashed ? hashed->get() : listHash()))
        return header.fail<Announcement>(
            listShaLine, QStringLiteral("목록(%1번째 줄부터)의 SHA-256과 다릅니다.").arg(file.firstListLine));
    if (const std::optional<QString> impossible =
            termsProblem(int(*count), int(qMin<qint64>(*winners, maxEntries + 1)),
                         int(qMin<qint64>(*reserves, maxEntries + 1))))
        return header.fail<Announcement>(reservesLine, *impossible);
    if (const std::optional<QString> wrong = prizesProblem(*prizes, int(*winners)))
        return header.fail<Announcement>(firstPrizeLine, *wrong);
    Announcement announced{
        {*listSha, int(*count), int(*winners), int(*reserves), *round, *label, *prizes, rule}, file.list};
    if (code && *code != announcementCode(announced.terms))
        return header.fail<Announcement>(
            codeLine, QStringLiteral("announcement_sha256이(가) 1–") + QString::number(codeLine - 1) +
                          QStringLiteral("번째 줄(randomness 줄 빼고)로 계산한 값(") +
                          announcementCode(announced.terms) + QStringLiteral(")과 다릅니다."));
    return announced;
}

} // namespace tombolix::publicdraw::files
