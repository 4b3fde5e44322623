// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

namespace zorvat {

// A periodic timer with the semantics the handlers rely on: enabling a timer that already
// runs keeps its rhythm; disabling and enabling again starts a fresh interval.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
    virtual int interval() const = 0;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> create(int intervalMs, std::function<void()> onTimeout) = 0;
    // While held, no handler runs; a timer that came due meanwhile fires once after release,
    // from the event loop.
    // Used around calls that stand for a blocking wait of the user-interface thread.
    virtual void setHeld(bool held) = 0;
    virtual bool isHeld() const = 0;
};

} // namespace zorvat
