#pragma once

#include "timer.h"

namespace zorvat {

// QTimer-backed timers; short intervals get Qt::PreciseTimer so 1 ms pollers are not
// coarsened to 5 % of their interval.
class QtTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> create(int intervalMs, std::function<void()> onTimeout) override;
};

} // namespace zorvat
