#pragma once

#include <QDateTime>

namespace tombolix {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override;
};

} // namespace tombolix
