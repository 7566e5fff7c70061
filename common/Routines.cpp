#include "common/Routines.h"

#include "core/SecureRandom.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QThread>
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
    bool timedOut = false;
    do {
        timedOut = false;
        QTimer::singleShot(int(std::max<qint64>(deadline.remainingTime(), 0)), Qt::PreciseTimer, &loop,
                           [&loop, &timedOut] {
                               timedOut = true;
                               loop.quit();
                           });
        loop.exec();
    } while (timedOut && !deadline.hasExpired());
    // The loop ended before its timer: the application is quitting, and from now on exec returns
    // at once without processing anything. Sleep out the rest rather than spin on a core.
    for (qint64 left = deadline.remainingTimeNSecs(); left > 0; left = deadline.remainingTimeNSecs())
        QThread::usleep(std::max<unsigned long>((left + 999) / 1000, 1));
}

} // namespace tombolix
