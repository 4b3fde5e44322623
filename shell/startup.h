// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

#include <functional>

namespace zorvat {

class TfrmCas;

// The whole program: windows, real adapters, event loop. Returns the exit code. started runs
// once the main window is shown (end-to-end tests drive the program from there).
int runProgram(int argc, char** argv, Edition edition,
               const std::function<void(TfrmCas&)>& started = {});

} // namespace zorvat
