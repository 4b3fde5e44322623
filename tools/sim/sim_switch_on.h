// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>

namespace zorvat::sim {

// Decides when the device counts as switched on from samples of "the port is open": the
// program probes ports by opening and closing them at once, so only an open that lasts counts.
class SwitchOnDetector {
public:
    using Clock = std::chrono::steady_clock;

    enum class Change { None, SwitchedOn, SwitchedOff };

    explicit SwitchOnDetector(Clock::duration settle) : settle_(settle) {}

    Change observe(bool portOpen, Clock::time_point now);

    // When the device switches on if the port stays open; none unless that is pending.
    std::optional<Clock::time_point> switchOnTime() const;

    bool isOn() const { return on_; }

private:
    Clock::duration settle_;
    std::optional<Clock::time_point> openSince_;
    bool on_ = false;
};

} // namespace zorvat::sim
