// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim_attempt.h"
#include "sim_port.h"
#include "sim_script.h"

#include <cstdint>
#include <vector>

namespace zorvat::sim {

// What the script command `attempt` and the demo play.
struct AttemptPlan {
    int version = 466;
    std::uint8_t mode = 0x51;
    AttemptPace pace;
    std::uint32_t firstSeed = 0; // each attempt takes the next one
    bool demo = false;           // attempts for good once the script has run
};

struct LoopSetup {
    std::vector<std::uint8_t> greeting;
    bool greetOnOpen = true;
    std::vector<ScriptCommand> script; // from a file
    int inputFd = -1;                  // more script lines to read; -1 when none
    int stopFd = -1;                   // readable once a stop signal arrived
    AttemptPlan attempts;
};

// Plays the device until the script says quit or a stop signal arrives.
void runDevice(DevicePort& port, LoopSetup setup);

} // namespace zorvat::sim
