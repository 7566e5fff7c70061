#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix {

// The number of winners the user typed, when it reads as a positive whole number. Values too
// large for an int come back as INT_MAX + 1, which no list can satisfy.
std::optional<qint64> parseDrawCount(const QString &answer);

// How many different non-empty texts the list holds: the most winners one draw can give.
int distinctNonEmptyCount(const QStringList &entries);

// Can `needed` more winners still be drawn from these entries, besides those already drawn?
bool drawCanFinish(const QStringList &entries, const QSet<QString> &drawn, qint64 needed);

QString drawPrompt();

} // namespace tombolix
