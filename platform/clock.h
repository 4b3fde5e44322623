// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

namespace zorvat {

// "Now" for the start instant, and a monotonic reading for elapsed times so that a
// wall-clock step during an attempt cannot corrupt the running time or the splits.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual qint64 monotonicMs() const = 0;
    // Blocks the calling thread; timers do not run meanwhile.
    virtual void sleepMs(int ms) = 0;
};

} // namespace zorvat
