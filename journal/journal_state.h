// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_types.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace zorvat {

// The session row of this run; wall times in their stored form.
struct SessionStart {
    QString started, edition, version;
};

// What the journal still has to write, in the order it happened.
struct AttemptStart {
    QString started;
    qint64 monotonicMs;
};
struct SplitTaken {
    int row;
    qint32 value;
    QString text, caption;
};
struct ResultsListed {
    std::vector<JournalEntry> entries;
};
struct ResultRemoved {
    int listIndex;
};
struct AttemptEvent {
    const char* kind;          // "reset", "link lost", "link restored"
    std::optional<QString> at; // none for a reset
};
struct SessionEnd {
    QString ended;
};
using PendingWrite =
    std::variant<AttemptStart, SplitTaken, ResultsListed, ResultRemoved, AttemptEvent, SessionEnd>;

struct ListedResult {
    JournalEntry entry;
    std::optional<qint64> attempt; // the attempt it came from, when the database still has it
};

// What the database holds of this run, as of the last commit.
struct WrittenState {
    std::optional<qint64> session; // the session's number once its row is written
    std::optional<qint64> attempt; // the latest attempt started in this session
    qint64 nextByteSeq = 1;
    // The live results list: copied into the session row's first write, and again into a
    // fresh file should the old one vanish.
    std::vector<ListedResult> liveList;
};

} // namespace zorvat
