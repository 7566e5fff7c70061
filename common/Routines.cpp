#include "common/Routines.h"

#include "core/SecureRandom.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QTimer>

#include <algorithm>

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
    // On the monotonic clock, so a wrap of the tick counter cannot stop it; and never shorter than
    // asked: Windows' timers can fire a millisecond early, and then the wait goes on.
    const QDeadlineTimer deadline(milliseconds, Qt::PreciseTimer);
    QEventLoop loop;
    do {
        QTimer::singleShot(int(std::max<qint64>(deadline.remainingTime(), 0)), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec();
    } while (!deadline.hasExpired());
}

} // namespace tombolix
