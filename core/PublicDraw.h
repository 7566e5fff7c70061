#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix::publicdraw {

// A draw that anyone can check ("tombolix-draw-v1"): the organiser announces the list's
// fingerprint and a round of a public random beacon before that round exists; the winners follow
// from both by the rule below, so anyone can compute them again and get the same names.
//
// The rule, in full:
// 1. The list made canonical (canonicalList): F = SHA-256 of its entries, each followed by "\n".
// 2. The seed's text: "tombolix-draw-v1", list_sha256=F, list_count=N, winners=k, reserves=r,
//    beacon=drand:<chain>, round=R, randomness=<the round's randomness>, label=<the event's
//    name, NFC>, each line ending "\n", in UTF-8; the seed is its SHA-256.
// 3. Numbers: block j = SHA-256(seed ‖ j as 8 bytes big-endian), each block four 64-bit
//    big-endian words, used in order; a number below m takes the first word not below 2^64 mod m,
//    modulo m.
// 4. A partial Fisher–Yates over tickets 1 … N: for i = 0 … k + r − 1, swap position i with
//    i + (a number below N − i). The first k positions are the winners, the next r the reserves.
// The announcement code A is the SHA-256 of the seed's text without its randomness line: it
// names all the terms before the round is out, and a result is the announced draw only if A
// stands in the announcement.

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

// The draw list made canonical: each entry NFC-normalised and trimmed of tabs, blanks, no-break
// and ideographic spaces, zero-width spaces and byte-order marks at both ends; empty entries
// dropped; sorted by their UTF-8 bytes. Ticket n is the n-th entry.
struct CanonicalList {
    QStringList entries;
    QStringList unusable;  // entries that no public draw takes (holdsUnusable, or nothing visible)
    QStringList repeated;  // canonical entries that stand more than once: the same
    QStringList lookAlike; // different entries that read the same (lookAlikeKey): one person twice?
    bool ok() const { return unusable.isEmpty() && repeated.isEmpty() && lookAlike.isEmpty(); }
};
CanonicalList canonicalList(const QStringList &drawList);
QString canonicalEntry(const QString &entry);
// A control character (Cc), a code point that Unicode 14 does not assign (Cn: a later version may
// read it otherwise), or half of a surrogate pair that UTF-8 cannot carry.
bool holdsUnusable(const QString &text);
// What a label may not hold besides: format characters (Cf: invisible, or turning the text's
// direction) and line or paragraph separators, which would let it pass for other lines.
bool unusableInLabel(const QString &label);
// A character that shows nothing by itself: a format character (Cf), a variation selector, a
// Hangul filler and the like.
bool showsNothing(char32_t code);
// The entry as people read it: NFKC, without the characters that show nothing (format characters,
// variation selectors, Hangul fillers and the like). Two entries with the same key look alike.
QString lookAlikeKey(const QString &entry);
// Each entry followed by "\n", in UTF-8: what `sha256sum` of the list file reads.
QByteArray canonicalFile(const QStringList &entries);
QString sha256Hex(const QByteArray &bytes);

// What the organiser announces.
struct Terms {
    QString listSha256; // F, the SHA-256 of the canonical file, lowercase hex
    int count = 0;      // N, the entries of the canonical list
    int winners = 0;    // k ≥ 1
    int reserves = 0;   // r ≥ 0, k + r ≤ N
    qint64 round = 0;   // R, the beacon's round
    QString label;      // the event's name, NFC, no unusable character
};
// The terms of a draw of these entries, or what makes them impossible (in Korean).
std::optional<QString> termsProblem(int count, int winners, int reserves);

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
