#pragma once

#include <QString>

class QListWidget;

namespace tombolix {

// Is the text exactly one of the entries of the list box?
bool IsInList(const QString &text, const QListWidget &list);

// A value from low to low + span - 1, each equally likely, from the operating system's
// cryptographic generator. A span below 1 gives low.
int RandomNumber(int low, int span);

// Waits the milliseconds while window events go on being processed, without keeping a core
// busy. A negative value returns at once.
void Delay(int milliseconds);

} // namespace tombolix
