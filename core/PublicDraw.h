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

// The beacon: drand's "quicknet" chain (League of Entropy), a round every 3 seconds.
QString chainHash();
inline constexpr qint64 genesisSeconds = 1692803367; // Unix seconds of round 1
inline constexpr qint64 periodSeconds = 3;

// The round published at or just before a time (Unix seconds, not before the genesis).
qint64 roundAt(qint64 unixSeconds);
// When a round is published, in Unix seconds.
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
    QStringList withControl; // entries that hold a control character: no public draw with them
    QStringList repeated;    // canonical entries that stand more than once: the same
    bool ok() const { return withControl.isEmpty() && repeated.isEmpty(); }
};
CanonicalList canonicalList(const QStringList &drawList);
QString canonicalEntry(const QString &entry);
bool holdsControl(const QString &text);
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
    QString label;      // the event's name, NFC, no control character
};

// The seed's text, every line ending "\n", and the seed: its SHA-256 (32 bytes).
QByteArray seedText(const Terms &terms, const QString &randomness);
QByteArray seed(const Terms &terms, const QString &randomness);

// The rule's numbers: block j = SHA-256(seed ‖ j as 8 bytes big-endian), each block four
// 64-bit big-endian words, used in order.
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
// Partial Fisher–Yates over tickets 0 … count − 1.
Tickets drawTickets(const QByteArray &seed, int count, int winners, int reserves);

// A beacon round as a relay gives it.
struct Round {
    qint64 number = 0;
    QString randomness; // 64 lowercase hex digits: SHA-256 of the signature's bytes
    QString signature;  // 96 lowercase hex digits
};
// The round in a relay's JSON answer, held to the checks a draw relies on: it is round
// `expected`, and its randomness is the SHA-256 of its signature. nullopt with the reason (in
// Korean) otherwise.
std::optional<Round> parseRound(const QByteArray &json, qint64 expected, QString *problem);
// The same checks on a round read from elsewhere (a result file).
std::optional<QString> roundProblem(const Round &round, qint64 expected);

// An announcement file: the seed's lines but the randomness, the round's time, a blank line,
// then the canonical file.
struct Announcement {
    Terms terms;
    QStringList list;
};
QString announcementText(const Announcement &announcement);
// The announcement a file holds, checked whole (its list is canonical and is the one F names,
// the numbers agree); nullopt with what is wrong, naming the line, otherwise.
std::optional<Announcement> parseAnnouncement(const QString &text, QString *problem);
// The terms of a draw of these entries, or what makes them impossible (in Korean).
std::optional<QString> termsProblem(int count, int winners, int reserves);

// A result file: the announcement with the round, the relays that gave it ("pasted" when the
// user pasted it), the seed, the winners and reserves (ticket and entry), then the list.
struct Result {
    Announcement announcement;
    Round round;
    QStringList relays;
    Tickets tickets;
};
inline const char *pastedRound = "pasted";
Result decide(const Announcement &announcement, const Round &round, const QStringList &relays);
QString resultText(const Result &result);

// A result file verified line by line against the rule: nullopt when every line is what the
// rule gives, else the first thing that differs, naming its line (in Korean). `relayNames` are
// the relays a result may name.
struct Verified {
    std::optional<Result> result; // what the file says, when it could be read
    std::optional<QString> problem;
};
Verified verifyResult(const QString &text, const QStringList &relayNames);

// The largest list a public draw takes: the draw list's own limit.
inline constexpr int maxEntries = 32767;

} // namespace tombolix::publicdraw
