#include "core/PublicDraw.h"

#include "core/Normalizer.h"
#include "core/Sha256.h"
#include "core/Text.h"
#include "core/Unicode14.h"

#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QTimeZone>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <atomic>
#include <numeric>
#include <utility>
#include <vector>

namespace tombolix::publicdraw {

using unicode14::forEachCodePoint;

namespace {

const QTimeZone &korea() {
    static const QTimeZone zone(9 * 3600);
    return zone;
}

void append(QString &text, char32_t code) {
    if (QChar::requiresSurrogates(code)) {
        text += QChar(QChar::highSurrogate(code));
        text += QChar(QChar::lowSurrogate(code));
    } else {
        text += QChar(char16_t(code));
    }
}

// The first rule's entries: NFC, trimmed of these at the ends, any control character refused, a
// key without format characters and these fillers.
bool trimmedByFirstRule(QChar c) {
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

bool showsNothingByFirstRule(char32_t code) {
    return unicode14::format(code) || code == 0x034F || code == 0x115F || code == 0x1160 || code == 0x17B4 ||
           code == 0x17B5 || (code >= 0x180B && code <= 0x180F) || code == 0x3164 ||
           (code >= 0xFE00 && code <= 0xFE0F) || code == 0xFFA0 || (code >= 0xE0100 && code <= 0xE01EF);
}

// The text without the code points `drop` takes: runs between them copied whole, and the text
// itself, shared, when nothing goes.
template <typename F> QString without(const QString &text, F &&drop) {
    QString kept;
    qsizetype run = 0; // where the run of code points kept so far began
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const char16_t c = text.at(i).unicode();
        const bool pair =
            QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(text.at(i + 1).unicode());
        const char32_t code = pair ? QChar::surrogateToUcs4(c, text.at(i + 1).unicode()) : char32_t(c);
        const qsizetype width = pair ? 2 : 1;
        if (drop(code)) {
            if (kept.isNull())
                kept.reserve(size);
            kept.append(QStringView(text).mid(run, i - run));
            run = i + width;
        }
        i += width;
    }
    if (run == 0)
        return text;
    kept.append(QStringView(text).mid(run));
    return kept;
}

QString canonicalByFirstRule(const QString &entry) {
    return trimmedOf(unicode::nfc(entry), trimmedByFirstRule);
}

// Whether a text is as rule 1 leaves it, as far as its blanks go: none at either end, and no
// white space inside but single U+0020s. Answered from the first plane's bits alone; nullopt where
// the text holds more (a surrogate, another blank) and must be read the long way.
std::optional<bool> plainlyBlanked(const QString &text) {
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isSurrogate(c))
            return std::nullopt;
        if (c == u' ') {
            if (i == 0 || i + 1 == size || text.at(i + 1) == u' ')
                return false;
        } else if (unicode14::blank(c)) {
            return std::nullopt;
        }
    }
    return true;
}

// Rule 1: NFC, blanks off both ends, every run of white space inside one blank.
QString canonicalByRule(const QString &entry) {
    const QString nfc = unicode::nfc(entry);
    if (plainlyBlanked(nfc) == std::optional<bool>(true))
        return nfc; // the common case, a name with single blanks inside
    std::vector<char32_t> codes;
    codes.reserve(size_t(nfc.size()));
    forEachCodePoint(nfc, [&codes](char32_t code) { codes.push_back(code); });
    size_t begin = 0;
    size_t end = codes.size();
    while (begin < end && unicode14::blank(codes[begin]))
        ++begin;
    while (end > begin && unicode14::blank(codes[end - 1]))
        --end;
    QString made;
    made.reserve(qsizetype(end - begin));
    bool inSpace = false;
    for (size_t i = begin; i < end; ++i) {
        const bool space = unicode14::whiteSpace(codes[i]);
        if (!space)
            append(made, codes[i]);
        else if (!inSpace)
            made += u' ';
        inSpace = space;
    }
    return made;
}

QString keyByRule(const QString &nfkc) {
    const QString shown = unicode::nfd(without(nfkc, unicode14::blank));
    QString mapped;
    mapped.reserve(shown.size());
    forEachCodePoint(shown, [&mapped](char32_t code) {
        const std::u32string_view prototype = unicode14::prototype(code);
        if (prototype.empty())
            append(mapped, code);
        else
            for (const char32_t c : prototype)
                append(mapped, c);
    });
    return unicode::nfd(mapped);
}

bool whiteSpaceOnly(const QString &text) {
    // a name's first letter answers for most
    if (!text.isEmpty() && !QChar::isSurrogate(text.front().unicode()) &&
        !unicode14::whiteSpace(text.front().unicode()))
        return false;
    bool only = true;
    forEachCodePoint(text, [&only](char32_t code) { only = only && unicode14::whiteSpace(code); });
    return only;
}

// The seed's lines; without the randomness line, the announced ones.
QString seedLines(const Terms &terms, const QString *randomness) {
    QString text = ruleName(terms.rule) + QStringLiteral("\nlist_sha256=") + terms.listSha256 +
                   QStringLiteral("\nlist_count=") + QString::number(terms.count) +
                   QStringLiteral("\nwinners=") + QString::number(terms.winners) +
                   QStringLiteral("\nreserves=") + QString::number(terms.reserves) +
                   QStringLiteral("\nbeacon=drand:") + chainHash() + QStringLiteral("\nround=") +
                   QString::number(terms.round) + u'\n';
    if (randomness)
        text += QStringLiteral("randomness=") + *randomness + u'\n';
    text += QStringLiteral("label=") + terms.label + u'\n';
    for (int i = 0; i < terms.prizes.size(); ++i)
        text += QStringLiteral("prize.") + QString::number(i + 1) + u'=' +
                QString::number(terms.prizes.at(i).count) + u'\t' + terms.prizes.at(i).name + u'\n';
    return text;
}

} // namespace

QString ruleName(Rule rule) {
    return rule == Rule::V1 ? QStringLiteral("tombolix-draw-v1") : QStringLiteral("tombolix-draw-v2");
}

std::optional<Rule> ruleNamed(const QString &name) {
    for (const Rule rule : {Rule::V1, Rule::V2})
        if (name == ruleName(rule))
            return rule;
    return std::nullopt;
}

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

qint64 codePoints(QStringView text) {
    qint64 pairs = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate())
            ++pairs, ++i;
    return text.size() - pairs;
}

bool tooLong(const QString &text) {
    return text.size() > maxTextLength && codePoints(text) > maxTextLength;
}

QString canonicalEntry(const QString &entry, Rule rule) {
    return rule == Rule::V1 ? canonicalByFirstRule(entry) : canonicalByRule(entry);
}

bool holdsUnusable(const QString &text, Rule rule) {
    bool unusable = false;
    forEachCodePoint(text, [&unusable, rule](char32_t code) {
        unusable = unusable || !unicode14::usable(code) ||
                   (rule == Rule::V1 && (code < 0x20 || code == 0x85)); // the white space controls
    });
    return unusable;
}

bool unusableInLabel(const QString &label, Rule rule) {
    if (holdsUnusable(label, rule))
        return true;
    bool unusable = false;
    forEachCodePoint(label, [&unusable](char32_t code) {
        unusable = unusable || unicode14::format(code) || code == 0x2028 || code == 0x2029;
    });
    return unusable;
}

namespace {

// How the key reads a code point of the first plane, for names made of such code points alone: a
// text of them is its own canonical form and its own NFKC, and its key is made in one pass.
enum KeyClass : unsigned char {
    Unknown,  // not looked at yet
    Slow,     // anything else: the key is made the long way
    Kept,     // every normal form leaves it, no blank, no prototype
    Dropped,  // U+0020, which the key leaves out (one alone between others)
    Syllable, // a Hangul syllable, whose NFD is its jamo
    Mapped,   // as Kept, but for its prototype, itself of Kept code points
};

bool plainCodePoint(char32_t c) {
    return unicode14::usable(c) && !unicode14::blank(c) && unicode::stableAlone(c);
}

KeyClass classOf(char32_t c) {
    if (c == u' ')
        return Dropped;
    if (c >= 0xAC00 && c <= 0xD7A3)
        return Syllable;
    if (QChar::isSurrogate(c) || !plainCodePoint(c))
        return Slow;
    const std::u32string_view proto = unicode14::prototype(c);
    if (proto.empty())
        return Kept;
    return std::all_of(proto.begin(), proto.end(),
                       [](char32_t p) { return p < 0x10000 && plainCodePoint(p); })
               ? Mapped
               : Slow;
}

// Each code point of the first plane is looked at once, when a text first holds it (from any
// thread: a verification runs beside the window).
KeyClass keyClass(char16_t c) {
    static std::array<std::atomic<unsigned char>, 0x10000> classes{};
    unsigned char known = classes[c].load(std::memory_order_relaxed);
    if (known == Unknown) {
        known = classOf(c);
        classes[c].store(known, std::memory_order_relaxed);
    }
    return KeyClass(known);
}

} // namespace

qsizetype appendPlainKey(const QString &text, QString &keys) {
    const qsizetype size = text.size();
    if (size == 0)
        return -1;
    const auto *in = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype before = keys.size();
    // A syllable is at most three jamo, a prototype here at most as long as the longest one.
    keys.resize(before + size * 3 + 8);
    char16_t *const start = reinterpret_cast<char16_t *>(keys.data()) + before;
    char16_t *out = start;
    const char16_t *end = start + size * 3 + 8;
    const auto fail = [&keys, before] {
        keys.truncate(before);
        return qsizetype(-1);
    };
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = in[i];
        switch (keyClass(c)) {
        case Unknown:
        case Slow:
            return fail();
        case Dropped:
            if (i == 0 || i + 1 == size || in[i + 1] == u' ')
                return fail();
            break;
        case Kept:
            *out++ = c;
            break;
        case Syllable: {
            const int s = c - 0xAC00;
            *out++ = char16_t(0x1100 + s / 588);
            *out++ = char16_t(0x1161 + (s % 588) / 28);
            if (s % 28 != 0)
                *out++ = char16_t(0x11A7 + s % 28);
            break;
        }
        case Mapped: {
            const std::u32string_view proto = unicode14::prototype(c);
            if (end - out < qsizetype(proto.size()) + 3)
                return fail(); // a name of long prototypes: the long way
            for (const char32_t p : proto)
                *out++ = char16_t(p);
            break;
        }
        }
    }
    keys.truncate(before + (out - start));
    return out - start;
}

namespace {

// The key of a name of the first plane's plain code points, with single blanks between its
// words, made in one pass; nullopt for any other text, whose key is made the long way.
std::optional<QString> plainKey(const QString &text) {
    QString key;
    key.reserve(text.size() * 3 + 8);
    if (appendPlainKey(text, key) < 0)
        return std::nullopt;
    return key;
}

} // namespace

EntryReading readEntry(const QString &entry, Rule rule) {
    if (rule == currentRule) {
        if (std::optional<QString> key = plainKey(entry))
            return {false, entry, std::move(*key), entry.size()};
    }
    EntryReading read;
    read.unusable = holdsUnusable(entry, rule);
    if (read.unusable)
        return read;
    read.canonical = canonicalEntry(entry, rule);
    if (!read.canonical.isEmpty())
        read.key = lookAlikeKey(read.canonical, rule, &read.shown);
    return read;
}

namespace {

// UTF-16's order is the code points' but for surrogates, which stand for code points above every
// unit from U+E000 up: lifted so, the units compare as the code points do.
int lifted(char16_t u) {
    return u >= 0xE000 ? u - 0x800 : u >= 0xD800 ? u + 0x2000 : int(u);
}

// A text's first eight units, lifted, as two numbers that order as the texts do (nothing past its
// end reads as zero, below every unit): most names differ within them, so most comparisons of a
// sort end there, without reading the texts themselves.
struct OrderPrefix {
    quint64 high = 0;
    quint64 low = 0;
    bool operator==(const OrderPrefix &other) const { return high == other.high && low == other.low; }
    bool operator<(const OrderPrefix &other) const {
        return high != other.high ? high < other.high : low < other.low;
    }
};

OrderPrefix orderPrefix(QStringView text) {
    OrderPrefix prefix;
    for (qsizetype i = 0; i < 8; ++i) {
        const quint64 unit = i < text.size() ? quint64(lifted(text.at(i).unicode())) : 0;
        (i < 4 ? prefix.high : prefix.low) |= unit << (16 * (3 - i % 4));
    }
    return prefix;
}

} // namespace

bool beforeInUtf8(QStringView a, QStringView b) {
    const auto *x = reinterpret_cast<const char16_t *>(a.utf16());
    const auto *y = reinterpret_cast<const char16_t *>(b.utf16());
    const qsizetype common = qMin(a.size(), b.size());
    const auto differ = std::mismatch(x, x + common, y);
    if (differ.first != x + common)
        return lifted(*differ.first) < lifted(*differ.second);
    return a.size() < b.size();
}

QString lookAlikeKey(const QString &entry, Rule rule, qint64 *shown) {
    const QString nfkc = unicode::nfkc(entry);
    if (shown)
        *shown = codePoints(nfkc);
    if (rule == Rule::V1)
        return without(nfkc, showsNothingByFirstRule);
    return keyByRule(nfkc);
}

QString asShown(const QString &text) {
    return without(unicode::nfkc(text),
                   [](char32_t code) { return unicode14::blank(code) && !unicode14::whiteSpace(code); });
}

QString plainly(const QString &entry) {
    QString text;
    forEachCodePoint(entry, [&text](char32_t code) {
        if (code != u' ' && (!unicode14::usable(code) || unicode14::blank(code)))
            text +=
                QStringLiteral("<U+") + QString::number(code, 16).rightJustified(4, u'0').toUpper() + u'>';
        else
            append(text, code);
    });
    return text;
}

CanonicalList canonicalList(const QStringList &drawList) {
    struct Made {
        QString entry;
        QString key; // lookAlikeKey, made once
    };
    CanonicalList canonical;
    qint64 shown = 0;
    std::vector<Made> made;
    made.reserve(size_t(drawList.size()));
    for (const QString &entry : drawList) {
        if (whiteSpaceOnly(entry))
            continue;
        if (tooLong(entry)) {
            canonical.tooLong.append(entry);
            continue;
        }
        EntryReading read = readEntry(entry);
        shown += read.shown;
        if (shown > maxShownLength) {
            canonical.overLength = true;
            return canonical;
        }
        // NFC lengthens a few code points (U+0958 is two): the file holds the canonical form
        if (tooLong(read.canonical)) {
            canonical.tooLong.append(entry);
            continue;
        }
        if (read.key.isEmpty()) {
            canonical.unusable.append(entry);
            continue;
        }
        made.push_back({std::move(read.canonical), std::move(read.key)});
    }
    // sorted by reference, the texts staying where they are, each beside its first units
    struct Sorted {
        OrderPrefix prefix;
        const Made *made;
    };
    std::vector<Sorted> order;
    order.reserve(made.size());
    for (const Made &m : made)
        order.push_back({orderPrefix(m.entry), &m});
    std::sort(order.begin(), order.end(), [](const Sorted &a, const Sorted &b) {
        return a.prefix == b.prefix ? beforeInUtf8(a.made->entry, b.made->entry) : a.prefix < b.prefix;
    });
    canonical.entries.reserve(qsizetype(order.size()));
    QHash<QString, QString> firstByKey;
    firstByKey.reserve(qsizetype(order.size()));
    for (size_t i = 0; i < order.size(); ++i) {
        const Made &m = *order[i].made;
        if (i > 0 && m.entry == order[i - 1].made->entry) {
            if (canonical.repeated.isEmpty() || canonical.repeated.last() != m.entry)
                canonical.repeated.append(m.entry);
        } else {
            const auto first = firstByKey.constFind(m.key);
            if (first == firstByKey.cend())
                firstByKey.insert(m.key, m.entry);
            else
                canonical.lookAlike << *first << m.entry;
        }
        canonical.entries.append(m.entry);
    }
    canonical.lookAlike.removeDuplicates();
    return canonical;
}

bool isCheckedList(const QSet<QString> &distinct, qsizetype count, const QStringList &checked) {
    return count == checked.size() && distinct.size() == count &&
           std::all_of(checked.cbegin(), checked.cend(),
                       [&distinct](const QString &entry) { return distinct.contains(entry); });
}

QString listLines(const QStringList &entries) {
    qsizetype size = 0;
    for (const QString &entry : entries)
        size += entry.size() + 1;
    QString text;
    text.reserve(size);
    for (const QString &entry : entries) {
        text += entry;
        text += u'\n';
    }
    return text;
}

QByteArray canonicalFile(const QStringList &entries) {
    return listLines(entries).toUtf8();
}

QString sha256Hex(const QByteArray &bytes) {
    return QString::fromLatin1(sha256(bytes).toHex());
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

std::optional<QString> prizesProblem(const QList<Prize> &prizes, int winners) {
    qint64 total = 0;
    for (int i = 0; i < prizes.size(); ++i) {
        const Prize &prize = prizes.at(i);
        const QString rank = QString::number(i + 1) + QStringLiteral("등");
        if (prize.count < 1)
            return rank + QStringLiteral("의 당첨자 수는 1명 이상이어야 합니다.");
        if (prize.name.isEmpty() || tooLong(prize.name) || canonicalEntry(prize.name) != prize.name ||
            unusableInLabel(prize.name))
            return rank + QStringLiteral("의 상품 이름이 비었거나, 너무 길거나, 쓸 수 없는 문자가 있습니다.");
        total += prize.count;
    }
    if (!prizes.isEmpty() && total != winners)
        return QStringLiteral("등수별 당첨자를 합한 수(%1명)가 당첨자 수(%2명)와 다릅니다.")
            .arg(QString::number(total), QString::number(winners));
    return std::nullopt;
}

Expected<QList<Prize>> parsePrizes(const QString &text) {
    static const QRegularExpression line(
        QStringLiteral("^\\s*(\\d{1,5})\\s*등\\s+(\\d{1,5})\\s*명\\s+(.*)$"));
    QList<Prize> prizes;
    int number = 0;
    for (const QString &row : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        ++number;
        if (whiteSpaceOnly(row))
            continue;
        const QRegularExpressionMatch match = line.match(row);
        const QString name = match.hasMatch() ? canonicalEntry(match.captured(3)) : QString();
        if (!match.hasMatch() || match.captured(1).toInt() != prizes.size() + 1 || name.isEmpty())
            return Problem{
                QString::number(number) + QStringLiteral("번째 줄: '") + QString::number(prizes.size() + 1) +
                QStringLiteral("등 1명 치킨'처럼 등수, 당첨자 수, 상품 이름을 차례로 적어주세요.")};
        if (tooLong(match.captured(3)) || holdsUnusable(match.captured(3)) || unusableInLabel(name))
            return Problem{QString::number(number) +
                           QStringLiteral("번째 줄: 상품 이름이 너무 길거나 쓸 수 없는 문자가 있습니다.")};
        prizes.append({match.captured(2).toInt(), name});
    }
    return prizes;
}

QList<int> winnerRanks(const Terms &terms) {
    QList<int> ranks;
    ranks.reserve(terms.winners);
    for (int p = 0; p < terms.prizes.size(); ++p)
        for (int i = 0; i < terms.prizes.at(p).count && ranks.size() < terms.winners; ++i)
            ranks.append(p + 1);
    while (ranks.size() < terms.winners)
        ranks.append(terms.prizes.isEmpty() ? 1 : int(terms.prizes.size()));
    return ranks;
}

QString rankName(const Terms &terms, int rank) {
    const QString number = QString::number(rank) + QStringLiteral("등");
    if (rank < 1 || rank > terms.prizes.size())
        return number;
    return number + u' ' + terms.prizes.at(rank - 1).name;
}

QByteArray seedText(const Terms &terms, const QString &randomness) {
    return seedLines(terms, &randomness).toUtf8();
}

QByteArray seed(const Terms &terms, const QString &randomness) {
    return sha256(seedText(terms, randomness));
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
        m_block = sha256(input);
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
