// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_types.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace zorvat {

class SqliteConnection;

struct SessionInfo {
    qint64 number;
    QDateTime started;
    std::optional<QDateTime> ended; // none: the program has not closed cleanly (yet)
    QString edition, version;
    qint64 liveResults;
};

struct SplitCell {
    QString text, caption;
    bool operator==(const SplitCell&) const = default;
};

// One live results-list entry with its attempt's start and splits.
struct ResultRow {
    QDateTime attemptStarted; // invalid when the attempt is not known
    JournalEntry entry;
    std::array<std::optional<SplitCell>, 4> splits; // rows 1 to 4
};

// Reads a journal without changing it, also while the program is writing to it.
class JournalReader {
public:
    enum class Status { Open, Missing, Failed };

    explicit JournalReader(const QString& folder);
    JournalReader(const JournalReader&) = delete;
    JournalReader& operator=(const JournalReader&) = delete;
    ~JournalReader();

    Status status() const { return status_; }
    // The system's words for the last failure.
    const QString& problem() const { return problem_; }

    // In order of start. Each reader returns nullopt when reading fails.
    std::optional<std::vector<SessionInfo>> sessions();
    // The session's live results list in list order.
    std::optional<std::vector<ResultRow>> results(qint64 session);
    std::optional<std::vector<StampedByte>> deviceBytes(qint64 session);

private:
    std::optional<std::array<std::optional<SplitCell>, 4>> splitsOf(qint64 attempt);
    template <typename T> std::optional<T> failed();

    std::unique_ptr<SqliteConnection> db_;
    Status status_ = Status::Failed;
    QString problem_;
};

} // namespace zorvat
