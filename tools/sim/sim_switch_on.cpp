// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_switch_on.h"

namespace zorvat::sim {

SwitchOnDetector::Change SwitchOnDetector::observe(bool portOpen, Clock::time_point now) {
    if (!portOpen) {
        openSince_.reset();
        if (!on_)
            return Change::None;
        on_ = false;
        return Change::SwitchedOff;
    }
    if (!openSince_)
        openSince_ = now;
    if (on_ || now - *openSince_ < settle_)
        return Change::None;
    on_ = true;
    return Change::SwitchedOn;
}

std::optional<SwitchOnDetector::Clock::time_point> SwitchOnDetector::switchOnTime() const {
    if (on_ || !openSince_)
        return std::nullopt;
    return *openSince_ + settle_;
}

} // namespace zorvat::sim
