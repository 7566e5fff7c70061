#include "common/Routines.h"

#include "core/SecureRandom.h"

#include <QEventLoop>
#include <QListWidget>
#include <QTimer>

namespace tombolix {

bool IsInList(const QString &text, const QListWidget &list) {
    const int count = list.count();
    for (int i = 0; i < count; ++i) {
        if (list.item(i)->text() == text)
            return true;
    }
    return false;
}

int RandomNumber(int low, int span) {
    if (span < 1)
        return low;
    return low + int(SecureRandom::shared().below(quint32(span)));
}

void Delay(int milliseconds) {
    if (milliseconds < 0)
        return;
    // The timer runs on the monotonic clock, so a wrap of the tick counter cannot stop it.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace tombolix
