// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_state.h"
#include "sqlite.h"

#include <optional>
#include <vector>

namespace zorvat {

// The live results list of the latest session when that session has no end (the program did
// not close cleanly); empty when it ended or there is none; nullopt when reading failed.
std::optional<std::vector<ListedResult>> unfinishedList(SqliteConnection& db);

// Whether the file still holds this run's session row (the file may have been replaced while
// the journal could not write); nullopt when reading failed.
std::optional<bool> holdsSession(SqliteConnection& db, qint64 number, const QString& started);

// The message parameters of a results row, read from four columns starting at first.
std::optional<ResultNumbers> numbersAt(const SqliteStatement& row, int first);

} // namespace zorvat
