#pragma once

#include "clock.h"

#include <QElapsedTimer>

namespace zorvat {

class SystemClock final : public Clock {
public:
    SystemClock();
    QDateTime now() const override;
    qint64 monotonicMs() const override;
    void sleepMs(int ms) override;

private:
    QElapsedTimer monotonic_;
};

} // namespace zorvat
