// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sqlite.h"

#include <QString>
#include <memory>
#include <optional>

namespace zorvat {

// journal.sqlite in the data folder.
QString journalFilePath(const QString& folder);

struct OpenedJournal {
    std::unique_ptr<SqliteConnection> db; // null when the journal cannot be used now
    // Why not; or, with a connection, the damage found in a file that was moved aside.
    std::optional<SqliteProblem> problem;
};

// Opens the journal for writing: creates the folder, the file and its tables. A damaged file
// is moved aside to journal.sqlite.corrupt-YYYYMMDD-HHMMSS, never deleted, and a fresh one
// started; knownDamaged moves the present file aside before looking at it. A writer in another
// instance makes each statement wait at most busyTimeoutMs, then fail.
OpenedJournal openJournalForWriting(const QString& folder, bool knownDamaged, int busyTimeoutMs);

// Opens an existing journal for reading only; null with the reason when that fails.
std::unique_ptr<SqliteConnection> openJournalForReading(const QString& folder,
                                                        SqliteProblem& problem);

} // namespace zorvat
