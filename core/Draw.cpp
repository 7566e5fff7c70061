#include "core/Draw.h"

#include "core/SecureRandom.h"

#include <QElapsedTimer>
#include <QLocale>

#include <climits>
#include <cmath>
#include <vector>

namespace tombolix {

DrawPool::DrawPool(const DrawSource &list)
    : entries(list.entries())
    , revision(list.revision()) {
    numbers.reserve(entries.size());
    numberOf.reserve(entries.size());
    for (const QString &text : std::as_const(entries)) {
        if (text.isEmpty()) {
            numbers.append(-1);
            continue;
        }
        auto it = numberOf.constFind(text);
        if (it == numberOf.cend())
            it = numberOf.insert(text, int(numberOf.size()));
        numbers.append(*it);
    }
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
                const auto it = pool.numberOf.constFind(winner);
                if (it != pool.numberOf.cend()) {
                    drawn[std::size_t(*it)] = true;
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
