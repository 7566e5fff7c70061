#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tombolix {

class SecureRandom;

// The list a draw picks from, read live: other handlers may change it while the draw lets
// events through.
class DrawSource {
public:
    virtual ~DrawSource() = default;
    virtual QStringList entries() const = 0;
    // Goes up with every change, so a long-running reader can tell that the list moved.
    virtual quint64 revision() const = 0;
};

// The list as one read of it: its texts numbered from 0 in order of first appearance, equal
// texts sharing a number and the empty text getting none (-1), so that a draw compares numbers.
struct DrawPool {
    explicit DrawPool(const DrawSource &list);

    // The most winners one draw can give: the number of different non-empty texts.
    int distinct() const { return m_distinct; }
    // The number of a text, -1 when the list does not hold it.
    int numberOf(const QString &text) const;

    QStringList entries;
    quint64 revision;
    QList<int> numbers; // of each position

private:
    // Each different text by the position where it first appears, in one flat table (open
    // addressing, at most half full) with half its hash beside it: for tens of thousands of
    // entries a fraction of the memory and the allocations of a QHash, and a probe reads another
    // entry's text only when the hashes agree.
    struct Slot {
        quint32 tag = 0;      // the hash's high half (its low bits choose the slot)
        qint32 position = -1; // -1: free
    };
    qsizetype find(const QString &text, size_t hash) const;

    QList<Slot> m_slots;
    int m_distinct = 0;
};

// The number of winners the user typed, when it reads as a positive whole number. Values too
// large for an int come back as INT_MAX + 1, which no list can satisfy.
std::optional<qint64> parseDrawCount(const QString &answer);

// Draws `count` different non-empty texts from the live list, starting from `pool` (a read of
// it), in draw order. Each pick is a uniform choice among the positions whose text is not drawn
// yet, as a uniform choice among all positions repeated until it lands on such a text would
// make it: a text that stands m times is m times as likely as one that stands once. `between`
// runs after the first winner and then after a winner whenever `sliceMs` of drawing have
// passed: the window's events, which may change the list, which is then read again. nullopt
// when the changes took away what the draw needs. The caller makes sure the pool holds at
// least `count` different texts.
std::optional<QStringList> drawWinners(const DrawSource &list, DrawPool pool, int count, SecureRandom &random,
                                       const std::function<void()> &between, int sliceMs = 5);

} // namespace tombolix
