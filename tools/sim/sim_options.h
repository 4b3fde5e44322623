// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim_attempt.h"
#include "sim_greeting.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvat::sim {

struct Options {
    Greeting greeting;
    std::string ttyPath;    // empty: open a pseudo-terminal
    std::string linkPath;   // pseudo-terminal only: symbolic link to the slave
    std::string scriptPath; // empty: script lines come from stdin
    bool greetOnOpen = true;
    bool demo = false;                 // attempts one after another once switched on
    std::optional<std::uint32_t> seed; // none: a fresh one each run
    AttemptPace pace;
    bool help = false;
};

struct OptionsResult {
    Options options;
    std::string error; // empty on success
};

// args without the program name.
OptionsResult parseOptions(const std::vector<std::string>& args);

std::string usageText();

} // namespace zorvat::sim
