// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timer.h"

#include <memory>

namespace zorvat {

// QTimer-backed timers; short intervals get Qt::PreciseTimer so 1 ms pollers are not
// coarsened to 5 % of their interval.
class QtTimerFactory final : public TimerFactory {
public:
    QtTimerFactory();
    ~QtTimerFactory() override;
    std::unique_ptr<Timer> create(int intervalMs, std::function<void()> onTimeout) override;
    void setHeld(bool held) override;
    bool isHeld() const override;

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
};

} // namespace zorvat
