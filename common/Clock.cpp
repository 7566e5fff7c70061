#include "common/Clock.h"

namespace tombolix {

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

} // namespace tombolix
