#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tombolix {

class DrawList;

// The number of winners the user typed, when it reads as a positive whole number. Values too
// large for an int come back as INT_MAX + 1, which no list can satisfy.
std::optional<qint64> parseDrawCount(const QString &answer);

// How many different non-empty texts the list holds: the most winners one draw can give.
int distinctNonEmptyCount(const QStringList &entries);

// Can `needed` more winners still be drawn from these entries, besides those already drawn?
bool drawCanFinish(const QStringList &entries, const QSet<QString> &drawn, qint64 needed);

QString drawPrompt();

// Draws `count` different non-empty texts from the live list, in draw order. Each pick is a
// uniform choice among positions, repeated until it lands on a text not drawn yet; pending
// window events are processed after every pick, so the window stays responsive and other
// handlers may change the list meanwhile. nullopt when they took away what the draw needs.
// The caller makes sure the list holds at least `count` different non-empty texts.
std::optional<QStringList> drawWinners(const DrawList &list, int count);

} // namespace tombolix
