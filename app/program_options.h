// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

#include <optional>

namespace zorvat {

// Answers --help and --version before any window exists, so that they work without a display
// too. Returns the exit code when the program is not to start. Every other argument is left
// to Qt (-platform, -style, ...), which ignores what it does not know.
std::optional<int> answerProgramOptions(int argc, char** argv, Edition edition);

} // namespace zorvat
