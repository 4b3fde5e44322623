// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_state.h"
#include "sqlite.h"

#include <optional>
#include <vector>

namespace zorvat {

// Writes, in one transaction, the session row with the live list when the file lacks it, then
// the pending writes and bytes. durable commits are on disk when this returns (a power cut
// cannot take them); the others survive the program being killed. state moves on only when
// the transaction commits; otherwise the reason comes back and nothing was written.
std::optional<SqliteProblem> writePending(SqliteConnection& db, const SessionStart& start,
                                          const std::vector<PendingWrite>& writes,
                                          const std::vector<StampedByte>& bytes, bool durable,
                                          WrittenState& state);

} // namespace zorvat
