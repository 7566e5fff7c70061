#include "core/Draw.h"

#include "core/SecureRandom.h"

#include <QElapsedTimer>
#include <QHash>
#include <QLocale>

#include <climits>
#include <cmath>
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
    numbers.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString &text = entries.at(i);
        if (text.isEmpty()) {
            numbers.append(-1);
            continue;
        }
        // seeded per run, so that names chosen to collide cannot make the table slow
        const size_t hash = qHash(text, QHashSeed::globalSeed());
        Slot &slot = m_slots[find(text, hash)];
        if (slot.position < 0) {
            slot = {tagOf(hash), qint32(i)};
            numbers.append(m_distinct++);
        } else {
            numbers.append(numbers.at(slot.position));
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

std::optional<QStringList> drawWinners(const DrawSource &list, DrawPool pool, int count, SecureRandom &random,
                                       const std::function<void()> &between, int sliceMs) {
    QStringList winners;
    winners.reserve(count);
    std::vector<bool> drawn(std::size_t(pool.distinct()), false);
    qsizetype notDrawn = pool.distinct();
    QElapsedTimer sinceEvents;
    bool eventsYet = false;
    while (winners.size() < count) {
        if (list.revision() != pool.revision) {
            // The list changed while events ran: read it again and mark what was drawn.
            pool = DrawPool(list);
            drawn.assign(std::size_t(pool.distinct()), false);
            notDrawn = pool.distinct();
            for (const QString &winner : std::as_const(winners)) {
                if (const int number = pool.numberOf(winner); number >= 0) {
                    drawn[std::size_t(number)] = true;
                    --notDrawn;
                }
            }
            if (notDrawn < count - winners.size())
                return std::nullopt;
        }
        // Enough different texts remain (checked above), so the repeats end; they run back
        // to back.
        const int *numbers = pool.numbers.constData();
        const quint32 n = quint32(pool.numbers.size());
        int number = -1;
        quint32 position = 0;
        do {
            position = random.below(n);
            number = numbers[position];
        } while (number < 0 || drawn[std::size_t(number)]);
        drawn[std::size_t(number)] = true;
        --notDrawn;
        winners.append(pool.entries.at(position));
        if (!eventsYet || sinceEvents.hasExpired(sliceMs)) {
            between();
            eventsYet = true;
            sinceEvents.start();
        }
    }
    return winners;
}

} // namespace tombolix
