// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim_script.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace zorvat::sim {

inline constexpr std::uint8_t kPreparationCommand = 0x55;
inline constexpr std::uint8_t kStartCommand = 0xAB;
// The low nibble says which targets or tracks have finished: bit k for number k + 1.
inline constexpr std::uint8_t kTargetStateCommand = 0xD0;

// How fast attempts play. The preparation lasts seconds, not the minutes in the mode byte: the
// program counts those down by itself and only needs to see the start come.
struct AttemptPace {
    std::chrono::milliseconds preparation{3000}; // from preparation start (55) to start (AB)
    std::chrono::milliseconds pause{5000};       // between the attempts of the demo
    int speed = 1;                               // every wait is divided by this
};

struct Attempt {
    // When each target or track finished, counted from the start: tracks in order; for attacks
    // the left and the right target of attack 1, then those of attack 2. Entry k is bit k of the
    // target state.
    std::vector<std::chrono::milliseconds> finishTimes;
    // Bytes to send and the waits between them.
    std::vector<ScriptCommand> commands;
};

// One attempt for the course in the mode byte: reset, preparation start, start, the target
// states as targets or tracks finish, and right after the last one all times, each in the
// version's layout. The same seed gives the same attempt. Throws std::invalid_argument for a
// mode without a course code or a speed below 1.
Attempt makeAttempt(int version, std::uint8_t mode, const AttemptPace& pace, std::uint32_t seed);

} // namespace zorvat::sim
