#pragma once

#include "edition.h"

namespace zorvat {

// The whole program: windows, real adapters, event loop. Returns the exit code.
int runProgram(int argc, char** argv, Edition edition);

} // namespace zorvat
