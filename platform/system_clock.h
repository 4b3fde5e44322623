// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock.h"

namespace zorvat {

// Milliseconds of the system's monotonic clock (CLOCK_MONOTONIC on Linux), the clock that the
// serial reader stamps bytes with and that X11 stamps key events with.
qint64 steadyNowMs();

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    qint64 monotonicMs() const override { return steadyNowMs(); }
    void sleepMs(int ms) override;
};

} // namespace zorvat
