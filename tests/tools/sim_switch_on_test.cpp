// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_switch_on.h"

#include <gtest/gtest.h>

using namespace zorvat::sim;
using namespace std::chrono_literals;
using Change = SwitchOnDetector::Change;

namespace {

TEST(SimSwitchOn, OnlyAnOpenThatLastsSwitchesOnAndEachReopenDoesAgain) {
    const auto t0 = SwitchOnDetector::Clock::time_point();
    const struct {
        std::chrono::milliseconds at;
        bool open;
        Change change;
    } timeline[] = {
        {0ms, false, Change::None},
        {10ms, true, Change::None}, // the program probing the port
        {40ms, false, Change::None},
        {100ms, true, Change::None},
        {350ms, true, Change::None}, // the probe's time does not count
        {400ms, true, Change::SwitchedOn},
        {900ms, true, Change::None},
        {950ms, false, Change::SwitchedOff},
        {970ms, false, Change::None},
        {1000ms, true, Change::None},
        {1299ms, true, Change::None},
        {1300ms, true, Change::SwitchedOn},
    };
    SwitchOnDetector detector(300ms);
    for (const auto& step : timeline) {
        SCOPED_TRACE(step.at.count());
        EXPECT_EQ(detector.observe(step.open, t0 + step.at), step.change);
        EXPECT_EQ(detector.isOn(), step.at >= 400ms && (step.at < 950ms || step.at >= 1300ms));
    }
}

TEST(SimSwitchOn, TellsWhenASwitchOnIsDue) {
    const auto t0 = SwitchOnDetector::Clock::time_point();
    SwitchOnDetector detector(300ms);
    EXPECT_FALSE(detector.switchOnTime().has_value());
    detector.observe(true, t0 + 50ms);
    EXPECT_EQ(detector.switchOnTime(), t0 + 350ms);
    detector.observe(true, t0 + 200ms);
    EXPECT_EQ(detector.switchOnTime(), t0 + 350ms);
    detector.observe(true, t0 + 350ms);
    EXPECT_FALSE(detector.switchOnTime().has_value());
    detector.observe(false, t0 + 400ms);
    EXPECT_FALSE(detector.switchOnTime().has_value());
}

} // namespace
