#include "Routines.h"

#include <QEventLoop>
#include <QListWidget>
#include <QRandomGenerator>
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

bool IsInArray(const QString &text, const QStringList &array, int n) {
    for (int j = 1; j <= n; ++j) {
        if (array.at(j - 1) == text)
            return true;
    }
    return false;
}

int RandomNumber(int low, int span) {
    if (span < 1)
        return low;
    // bounded() rejects the biased tail, so every value is equally likely.
    return low + int(QRandomGenerator::system()->bounded(quint32(span)));
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

namespace tombolix {

QString trimBlanks(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}

} // namespace tombolix
