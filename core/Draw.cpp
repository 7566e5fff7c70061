#include "core/Draw.h"

#include "core/SecureRandom.h"

#include <QElapsedTimer>
#include <QHash>
#include <QLocale>

#include <climits>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace tombolix {

namespace {

quint32 tagOf(size_t hash) {
    return quint32(quint64(hash) >> 32);
}

} // namespace

DrawPool::DrawPool(const DrawSource &list)
    : entries(list.entries())
    , revision(list.revision()) {
    qsizetype size = 16;
    while (size < 2 * entries.size())
        size *= 2;
    m_slots.resize(size);
    numbers.resize(entries.size());
    // written through plain pointers: a QList checks for sharing at every write through it
    Slot *table = m_slots.data();
    int *number = numbers.data();
    const size_t seed = QHashSeed::globalSeed();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString &text = entries.at(i);
        if (text.isEmpty()) {
            number[i] = -1;
            continue;
        }
        // seeded per run, so that names chosen to collide cannot make the table slow
        const size_t hash = qHash(text, seed);
        Slot &slot = table[find(text, hash)];
        if (slot.position < 0) {
            slot = {tagOf(hash), qint32(i)};
            number[i] = m_distinct++;
        } else {
            number[i] = number[slot.position];
        }
    }
}

// The slot that holds `text`, or the free one where it would go.
qsizetype DrawPool::find(const QString &text, size_t hash) const {
    const qsizetype mask = m_slots.size() - 1;
    for (qsizetype at = qsizetype(hash) & mask;; at = (at + 1) & mask) {
        const Slot &slot = m_slots.at(at);
        if (slot.position < 0 || (slot.tag == tagOf(hash) && entries.at(slot.position) == text))
            return at;
    }
}

int DrawPool::numberOf(const QString &text) const {
    if (text.isEmpty())
        return -1;
    const Slot &slot = m_slots.at(find(text, qHash(text, QHashSeed::globalSeed())));
    return slot.position < 0 ? -1 : numbers.at(slot.position);
}

std::optional<qint64> parseDrawCount(const QString &answer) {
    bool ok = false;
    const double value = QLocale::c().toDouble(answer.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value <= 0 || value != std::floor(value))
        return std::nullopt;
    if (value > double(INT_MAX))
        return qint64(INT_MAX) + 1;
    return qint64(value);
}

namespace {

// The positions a pick may still land on: those of the texts not drawn yet (the empty text
// never), in no particular order. When a text stands more than once, its other positions are at
// hand, so that drawing it takes all of them out at once; when every text stands once (most
// lists), the chosen position alone leaves, and nothing else is kept.
class Candidates {
public:
    Candidates(const DrawPool &pool, const QStringList &drawn) {
        const qsizetype size = pool.numbers.size();
        std::vector<bool> taken(std::size_t(pool.distinct()), false);
        m_left = pool.distinct();
        for (const QString &winner : drawn) {
            if (const int number = pool.numberOf(winner); number >= 0 && !taken[std::size_t(number)]) {
                taken[std::size_t(number)] = true;
                --m_left;
            }
        }
        m_positions.reserve(std::size_t(size));
        for (qsizetype p = 0; p < size; ++p) {
            const int number = pool.numbers.at(p);
            if (number >= 0 && !taken[std::size_t(number)])
                m_positions.push_back(int(p));
        }
        m_repeats = qsizetype(m_positions.size()) > m_left;
        if (!m_repeats)
            return;
        m_at.assign(std::size_t(size), -1);
        m_first.assign(std::size_t(pool.distinct()), -1);
        m_next.assign(std::size_t(size), -1);
        // from the last position back, so that each text's positions are linked in list order
        for (std::size_t at = m_positions.size(); at-- > 0;) {
            const int p = m_positions[at];
            const std::size_t number = std::size_t(pool.numbers.at(p));
            m_next[std::size_t(p)] = m_first[number];
            m_first[number] = p;
            m_at[std::size_t(p)] = int(at);
        }
    }

    quint32 size() const { return quint32(m_positions.size()); }
    // How many different texts are still to be drawn.
    int textsLeft() const { return m_left; }

    // The position at `index` (below size()); its text's positions all leave the candidates,
    // the last candidate moving into the place of each.
    int take(quint32 index, const QList<int> &numbers) {
        const int position = m_positions[index];
        --m_left;
        if (!m_repeats) {
            m_positions[index] = m_positions.back();
            m_positions.pop_back();
            return position;
        }
        for (int p = m_first[std::size_t(numbers.at(position))]; p >= 0; p = m_next[std::size_t(p)]) {
            const int at = m_at[std::size_t(p)];
            const int last = m_positions.back();
            m_positions[std::size_t(at)] = last;
            m_at[std::size_t(last)] = at;
            m_positions.pop_back();
        }
        return position;
    }

private:
    std::vector<int> m_positions;
    bool m_repeats = false; // some text stands at more than one of the positions
    // kept only with repeats:
    std::vector<int> m_at;    // of each position, its index in m_positions
    std::vector<int> m_first; // of each text's number, its first position
    std::vector<int> m_next;  // of each position, the next one with the same text, or -1
    int m_left = 0;
};

} // namespace

// Each pick is uniform among the positions whose text is not drawn yet: exactly what a uniform
// choice among all positions, repeated until it lands on such a text, comes to, without the
// repeats (a draw of 32,766 out of 32,767 would make 340,000 of them).
std::optional<QStringList> drawWinners(const DrawSource &list, DrawPool pool, int count, SecureRandom &random,
                                       const std::function<void()> &between, int sliceMs) {
    QStringList winners;
    winners.reserve(count);
    std::optional<Candidates> candidates(std::in_place, pool, winners);
    QElapsedTimer sinceEvents;
    bool eventsYet = false;
    while (winners.size() < count) {
        if (list.revision() != pool.revision) {
            // The list changed while events ran: read it again, without what was drawn.
            pool = DrawPool(list);
            candidates.emplace(pool, winners);
            if (candidates->textsLeft() < count - winners.size())
                return std::nullopt;
        }
        if (candidates->size() == 0)
            return std::nullopt; // fewer different texts than asked for: the caller's to prevent
        const int position = candidates->take(random.below(candidates->size()), pool.numbers);
        winners.append(pool.entries.at(position));
        // the clock is read every 64 winners: reading it costs as much as a pick
        if (!eventsYet || (winners.size() % 64 == 0 && sinceEvents.hasExpired(sliceMs))) {
            between();
            eventsYet = true;
            sinceEvents.start();
        }
    }
    return winners;
}

} // namespace tombolix
