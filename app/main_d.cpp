// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_options.h"
#include "startup.h"

int main(int argc, char** argv) {
    if (const auto exitCode = zorvat::answerProgramOptions(argc, argv, zorvat::Edition::Difference))
        return *exitCode;
    return zorvat::runProgram(argc, argv, zorvat::Edition::Difference);
}
