// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace zorvat {

class FuzzSession;

// The costlier checks, made on some inputs only.
struct ExtraChecks {
    // The input runs once more in windows made for it alone and must leave every control as
    // it did after the inputs before it: the reset between runs is complete.
    bool reset = false;
    // The run is recorded in a journal and played back from it (journal_check.h).
    bool journal = false;
    // Both other pacings are compared with the bytes at once, not only one of them.
    bool bothPacings = false;
};

// Runs one input with its device bytes at once and paced otherwise, one a millisecond or in
// random chunks (chosen by the input's hash) or both, and checks that the runs agree. Aborts on
// a broken oracle. Inputs too short for the set-up are skipped.
void runFuzzInput(FuzzSession& session, const std::uint8_t* data, std::size_t size,
                  ExtraChecks extra);

} // namespace zorvat
