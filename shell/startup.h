// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

namespace zorvat {

// The whole program: windows, real adapters, event loop. Returns the exit code.
int runProgram(int argc, char** argv, Edition edition);

} // namespace zorvat
