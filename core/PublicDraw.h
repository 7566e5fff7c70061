#pragma once

#include "core/Expected.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix::publicdraw {

// A draw that anyone can check ("tombolix-draw-v2"): the organiser announces the list's
// fingerprint and a round of a public random beacon before that round exists; the winners follow
// from both by the rule below, so anyone can compute them again and get the same names.
//
// The rule, in full:
// 1. Entries, read by Unicode 14 (unicode14::usable and friends): an entry of more than 200 code
//    points, or holding a code point Unicode 14 does not assign, half a surrogate pair or a
//    control character other than white space, is refused. Its canonical form is its NFC with
//    every blank (white space, default-ignorable and format characters, U+2800, U+1D159) at
//    either end taken off and every run of white space inside made one U+0020. An entry of white
//    space alone is dropped; one that shows nothing is refused. Its look-alike key is the
//    canonical form made NFKC, every blank taken out, then NFD, each code point replaced by its
//    confusable prototype, and NFD again: two entries with one key read the same. The same entry
//    twice, or two that read the same, is one person twice: such a list is refused.
// 2. The canonical entries sorted by their UTF-8 bytes: F = SHA-256 of them, each followed by
//    "\n". Ticket n is the n-th entry.
// 3. The seed's text: "tombolix-draw-v2", list_sha256=F, list_count=N, winners=k, reserves=r,
//    beacon=drand:<chain>, round=R, randomness=<the round's randomness>, label=<the event's
//    name>, then a line prize.<i>=<count>\t<name> for each prize in rank order (their counts add
//    up to k; without them every winner is of one rank), each line ending "\n", in UTF-8; the seed
//    is its SHA-256. The label and the prizes' names are canonical as entries are, and hold no
//    format character.
// 4. Numbers: block j = SHA-256(seed ‖ j as 8 bytes big-endian), each block four 64-bit
//    big-endian words, used in order; a number below m takes the first word not below 2^64 mod m,
//    modulo m.
// 5. A partial Fisher–Yates over tickets 1 … N: for i = 0 … k + r − 1, swap position i with
//    i + (a number below N − i). The first k positions are the winners, the next r the reserves;
//    the first winners take the first prize, and so on.
// The announcement code A is the SHA-256 of the seed's text without its randomness line: it
// names all the terms before the round is out, and a result is the announced draw only if A
// stands in the announcement.
//
// The first rule, "tombolix-draw-v1", by which older files were made, differs in its entries
// alone, and has no prizes: NFC trimmed of tab, blank, no-break and ideographic spaces, zero-width
// spaces and byte-order marks only; every control character refused; the key NFKC without format
// characters and a few fillers. Its files are read by it still.

enum class Rule { V1, V2 };
inline constexpr Rule currentRule = Rule::V2;
// The rule's name, the first line of its files and of its seed's text.
QString ruleName(Rule rule);
std::optional<Rule> ruleNamed(const QString &name);

// The beacon: drand's "quicknet" chain (League of Entropy), a round every 3 seconds.
QString chainHash();
inline constexpr qint64 genesisSeconds = 1692803367; // Unix seconds of round 1
inline constexpr qint64 periodSeconds = 3;
// Rounds are read from 1 up to the last one published in the year 9999 (Korea's time): the files
// write a round's time, and neither Qt nor Python writes a later year.
inline constexpr qint64 maxRound = 83903155011;
inline bool roundInRange(qint64 round) {
    return round >= 1 && round <= maxRound;
}
// The least time from an announcement to its round: the announcement must reach the post first.
inline constexpr qint64 announceLeadSeconds = 180;

// The round published at or just before a time (Unix seconds, not before the genesis).
qint64 roundAt(qint64 unixSeconds);
// When a round (in range) is published, in Unix seconds.
qint64 roundTime(qint64 round);
// A time as Korea writes it, whatever the machine's zone: "2026-04-20 09:00:00" (UTC+9).
QString koreanTime(qint64 unixSeconds);
// The same time as the files write it: "2026-04-20T09:00:00+09:00".
QString fileTime(qint64 unixSeconds);
// A time typed in Korea's time, "2026-04-20 09:10" or "2026-04-20 09:10:30", in Unix seconds.
std::optional<qint64> parseKoreanTime(const QString &text);
// The time a draw announced now is offered: the first whole ten minutes at least ten minutes
// ahead.
qint64 suggestedDrawTime(qint64 nowSeconds);

// No nickname comes near this many code points: a longer entry, label or prize name is refused
// before anything else is done with it.
inline constexpr int maxTextLength = 200;
bool tooLong(const QString &text);
// Nor does a list come near this many code points in all as people read it (NFKC: 32,767 entries
// of 60), nor a post this many (2,000 entries of the longest, and the text around them): reading
// more could take long enough to matter (NFKC makes some code points 18), so more is refused.
inline constexpr qint64 maxShownLength = 2000000;
inline constexpr qint64 maxPostLength = 500000;
qint64 codePoints(QStringView text);

// The draw list made canonical (rule 1), sorted by UTF-8 bytes.
struct CanonicalList {
    QStringList entries;
    QStringList tooLong;   // entries longer than maxTextLength, as typed
    QStringList unusable;  // entries that no public draw takes (holdsUnusable, or nothing visible), as typed
    QStringList repeated;  // canonical entries that stand more than once: the same
    QStringList lookAlike; // different entries that read the same (lookAlikeKey): one person twice?
    bool overLength = false; // longer than maxShownLength in all as read: the rest was not read
    bool ok() const {
        return !overLength && tooLong.isEmpty() && unusable.isEmpty() && repeated.isEmpty() &&
               lookAlike.isEmpty();
    }
};
CanonicalList canonicalList(const QStringList &drawList);
// Whether canonicalList of a draw list whose distinct entries are `distinct` (of `count` in all)
// is `checked`, a list that a reader of the rule's files found sound by today's rule (each entry
// canonical, unique by its key, in order), without making it: the entries are checked's, each
// once, in any order.
bool isCheckedList(const QSet<QString> &distinct, qsizetype count, const QStringList &checked);
QString canonicalEntry(const QString &entry, Rule rule = currentRule);
// A code point an entry may not hold (rule 1; the first rule refused every control character).
bool holdsUnusable(const QString &text, Rule rule = currentRule);
// What a label or a prize's name may not hold besides: format characters (invisible, or turning
// the text's direction) and line or paragraph separators, which would let it pass for other lines.
bool unusableInLabel(const QString &label, Rule rule = currentRule);
// The entry as people read it: two entries with the same key look alike.
// `shown`, when given, gets the length of the entry's NFKC form (what reading it costs).
QString lookAlikeKey(const QString &entry, Rule rule = currentRule, qint64 *shown = nullptr);
// A text as people read it, its lines and blanks kept: NFKC, without what shows nothing but is
// no white space. A post's codes are looked for in this.
QString asShown(const QString &text);
// The entry with what does not show made visible, each such code point written <U+XXXX>: for the
// messages that name entries.
QString plainly(const QString &entry);
// An entry read by the rule in one go: whether it holds an unusable code point, its canonical form,
// its look-alike key and the length of its NFKC form (what reading it costs).
struct EntryReading {
    bool unusable = false;
    QString canonical;
    QString key;
    qint64 shown = 0;
};
EntryReading readEntry(const QString &entry, Rule rule = currentRule);
// For an entry of the first plane's plain code points (no surrogate, no blank but single U+0020s
// inside, each code point as every normal form leaves it), which is its own canonical form and
// shows as long as it is: its look-alike key appended to `keys`, and the key's length; -1, and
// `keys` as it was, for any other entry, which readEntry reads the long way.
qsizetype appendPlainKey(const QString &entry, QString &keys);
// The order of the rule's lists: by code points, which is the order of their UTF-8 bytes.
bool beforeInUtf8(QStringView a, QStringView b);
// Each entry followed by "\n": the list as both files end it; in UTF-8, what `sha256sum` of the
// list file reads.
QString listLines(const QStringList &entries);
QByteArray canonicalFile(const QStringList &entries);
QString sha256Hex(const QByteArray &bytes);

// A prize of the draw: how many winners take it, and its name ("치킨").
struct Prize {
    int count = 0;
    QString name;
    bool operator==(const Prize &other) const { return count == other.count && name == other.name; }
};

// What the organiser announces.
struct Terms {
    QString listSha256;  // F, the SHA-256 of the canonical file, lowercase hex
    int count = 0;       // N, the entries of the canonical list
    int winners = 0;     // k ≥ 1
    int reserves = 0;    // r ≥ 0, k + r ≤ N
    qint64 round = 0;    // R, the beacon's round
    QString label;       // the event's name, canonical, no unusable character
    QList<Prize> prizes; // in rank order, their counts adding up to k; none: one rank
    Rule rule = currentRule;
};
// The terms of a draw of these entries, or what makes them impossible (in Korean).
std::optional<QString> termsProblem(int count, int winners, int reserves);
// What is wrong with these prizes for this many winners (in Korean); nullopt when nothing is.
std::optional<QString> prizesProblem(const QList<Prize> &prizes, int winners);
// The prizes as the organiser types them, one rank a line: "1등 1명 치킨" (a rank, a count, a name);
// or what is wrong (in Korean, naming the line).
Expected<QList<Prize>> parsePrizes(const QString &text);
// The rank of each winner, from 1, in the order drawn; all 1 without prizes.
QList<int> winnerRanks(const Terms &terms);
// "1등 치킨": how a rank is named where winners are shown.
QString rankName(const Terms &terms, int rank);

// The seed's text, every line ending "\n", and the seed: its SHA-256 (32 bytes).
QByteArray seedText(const Terms &terms, const QString &randomness);
QByteArray seed(const Terms &terms, const QString &randomness);
// The seed's text without its randomness line: all that is announced before the round is out.
QByteArray announcedText(const Terms &terms);
// The announcement code A: the SHA-256 of the announced text.
QString announcementCode(const Terms &terms);

// The rule's numbers.
class Numbers {
public:
    explicit Numbers(const QByteArray &seed);
    quint64 word();
    // Uniform in 0 … m − 1 (m ≥ 1): words below 2^64 mod m are passed over.
    quint64 uniform(quint64 m);
    qint64 wordsUsed() const { return m_used; }

private:
    QByteArray m_seed;
    QByteArray m_block;
    quint64 m_blockNumber = 0;
    qint64 m_used = 0;
};

struct Tickets {
    QList<int> winners;  // in the order drawn, 1-based
    QList<int> reserves; // 예비 당첨자, in order
};
Tickets drawTickets(const QByteArray &seed, int count, int winners, int reserves);

// The largest list a public draw takes: the draw list's own limit.
inline constexpr int maxEntries = 32767;

} // namespace tombolix::publicdraw
