#pragma once

#include <QString>
#include <QStringList>

class QListWidget;

namespace tombolix {

// Is the text exactly one of the entries of the list box?
bool IsInList(const QString &text, const QListWidget &list);

// Is the text one of the elements at positions 1 to n? (position j is array[j - 1])
bool IsInArray(const QString &text, const QStringList &array, int n);

// A value from low to low + span - 1, each equally likely, from the operating system's
// cryptographic generator. A span below 1 gives low.
int RandomNumber(int low, int span);

// Waits the milliseconds while window events go on being processed, without keeping a core
// busy. A negative value returns at once.
void Delay(int milliseconds);

} // namespace tombolix

namespace tombolix {

// Removes leading and trailing blanks (U+0020) only, unlike QString::trimmed().
QString trimBlanks(const QString &text);

} // namespace tombolix
