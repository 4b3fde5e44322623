// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fuzz_input.h"
#include "run_record.h"

#include <cstdint>

namespace zorvat {

class FuzzSession;

// Runs the script in random chunks with a journal in a folder of its own, then plays the
// device bytes the journal recorded back, paced by their stamps, with the same actions between
// them. The playback must give the same record as `expected`, and the journal's live results
// the same list. Aborts otherwise.
void checkJournalPlayback(FuzzSession& session, const FuzzScript& script, std::uint32_t seed,
                          const RunRecord& expected);

} // namespace zorvat
