// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock.h"
#include "timer.h"

#include <QDateTime>
#include <cstdint>
#include <functional>
#include <vector>

namespace zorvat {

// Deterministic time for tests and scripted runs: the clock moves only with advance(),
// and every enabled timer fires at each multiple of its interval since it was enabled.
class VirtualTime final : public Clock, public TimerFactory {
public:
    explicit VirtualTime(QDateTime start);
    ~VirtualTime() override;

    QDateTime now() const override;
    qint64 monotonicMs() const override { return nowMs_; }
    std::unique_ptr<Timer> create(int intervalMs, std::function<void()> onTimeout) override;
    // While held no timer fires; those due meanwhile fire at the next advance() after release.
    void setHeld(bool held) override { held_ = held; }
    bool isHeld() const override { return held_; }
    // The blocked thread lets time pass; timers due meanwhile fire at the next advance().
    void sleepMs(int ms) override { nowMs_ += ms; }

    // Lets ms milliseconds pass, firing due timers in time order (creation order on ties).
    void advance(qint64 ms);
    // As advance(), but where more than two ticks of a timer of intervalMs follow each other
    // with no other timer due in between, and collapsible() says so when asked, only the last
    // two fire. For a tick that shows what the clock says, those two leave what all would
    // have: the last shows the time, the one before may have stopped the timer.
    void advanceCollapsing(qint64 ms, int intervalMs, const std::function<bool()>& collapsible);
    // How many of the timers made here are enabled.
    int enabledTimers() const;

private:
    struct Entry;
    friend class VirtualTimer;
    void forget(Entry* e);
    void run(qint64 ms, int collapseIntervalMs, const std::function<bool()>* collapsible);

    QDateTime start_;
    qint64 nowMs_ = 0;
    bool held_ = false;
    std::vector<Entry*> entries_;
};

} // namespace zorvat
