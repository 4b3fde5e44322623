#pragma once

#include "sim_port.h"
#include "sim_script.h"

#include <cstdint>
#include <vector>

namespace zorvat::sim {

struct LoopSetup {
    std::vector<std::uint8_t> greeting;
    bool greetOnOpen = true;
    std::vector<ScriptCommand> script; // from a file
    int inputFd = -1;                  // more script lines to read; -1 when none
    int stopFd = -1;                   // readable once a stop signal arrived
};

// Plays the device until the script says quit or a stop signal arrives.
void runDevice(DevicePort& port, LoopSetup setup);

} // namespace zorvat::sim
