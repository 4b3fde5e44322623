// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_reader.h"

#include "journal_file.h"
#include "session_lookup.h"
#include "sqlite.h"
#include "wall_time.h"

#include <QFileInfo>

namespace zorvat {

JournalReader::JournalReader(const QString& folder) {
    if (!QFileInfo::exists(journalFilePath(folder))) {
        status_ = Status::Missing;
        return;
    }
    SqliteProblem problem;
    db_ = openJournalForReading(folder, problem);
    status_ = db_ ? Status::Open : Status::Failed;
    problem_ = problem.words;
}

JournalReader::~JournalReader() = default;

template <typename T> std::optional<T> JournalReader::failed() {
    if (db_)
        problem_ = db_->problem().words;
    return std::nullopt;
}

std::optional<std::vector<SessionInfo>> JournalReader::sessions() {
    SqliteStatement* row =
        db_ ? db_->query("SELECT number, started, ended, edition, version, (SELECT count(*) "
                         "FROM results WHERE session = number AND deleted = 0) "
                         "FROM sessions ORDER BY number")
            : nullptr;
    if (row == nullptr)
        return failed<std::vector<SessionInfo>>();
    std::vector<SessionInfo> sessions;
    while (row->next()) {
        SessionInfo info{row->integer(0), wallTimeFromStored(row->text(1)),
                         std::nullopt,    row->text(3),
                         row->text(4),    row->integer(5)};
        if (row->optionalInteger(2))
            info.ended = wallTimeFromStored(row->text(2));
        sessions.push_back(std::move(info));
    }
    if (!db_->finish(*row))
        return failed<std::vector<SessionInfo>>();
    return sessions;
}

std::optional<std::array<std::optional<SplitCell>, 4>> JournalReader::splitsOf(qint64 attempt) {
    SqliteStatement* row =
        db_->query("SELECT row, text, caption FROM splits WHERE attempt = ? ORDER BY id", attempt);
    if (row == nullptr)
        return failed<std::array<std::optional<SplitCell>, 4>>();
    std::array<std::optional<SplitCell>, 4> splits;
    // A row taken again in the same attempt shows its latest split, as the board does.
    while (row->next())
        if (const qint64 number = row->integer(0); number >= 1 && number <= 4)
            splits[std::size_t(number - 1)] = SplitCell{row->text(1), row->text(2)};
    if (!db_->finish(*row))
        return failed<std::array<std::optional<SplitCell>, 4>>();
    return splits;
}

std::optional<std::vector<ResultRow>> JournalReader::results(qint64 session) {
    SqliteStatement* row =
        db_ ? db_->query("SELECT r.text, r.w1491, r.l1491, r.w1492, r.l1492, r.attempt, "
                         "a.started FROM results r LEFT JOIN attempts a ON a.id = r.attempt "
                         "WHERE r.session = ? AND r.deleted = 0 ORDER BY r.id",
                         session)
            : nullptr;
    if (row == nullptr)
        return failed<std::vector<ResultRow>>();
    std::vector<ResultRow> rows;
    std::vector<std::optional<qint64>> attempts;
    while (row->next()) {
        rows.push_back(
            {wallTimeFromStored(row->text(6)), JournalEntry{row->text(0), numbersAt(*row, 1)}, {}});
        attempts.push_back(row->optionalInteger(5));
    }
    if (!db_->finish(*row))
        return failed<std::vector<ResultRow>>();

    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!attempts[i])
            continue;
        const auto splits = splitsOf(*attempts[i]);
        if (!splits)
            return std::nullopt;
        rows[i].splits = *splits;
    }
    return rows;
}

std::optional<std::vector<StampedByte>> JournalReader::deviceBytes(qint64 session) {
    SqliteStatement* row = db_ ? db_->query("SELECT value, monotonic_ms, wall_ms FROM "
                                            "device_bytes WHERE session = ? ORDER BY seq",
                                            session)
                               : nullptr;
    if (row == nullptr)
        return failed<std::vector<StampedByte>>();
    std::vector<StampedByte> bytes;
    while (row->next())
        bytes.push_back({std::uint8_t(row->integer(0)), row->integer(1), row->integer(2)});
    if (!db_->finish(*row))
        return failed<std::vector<StampedByte>>();
    return bytes;
}

} // namespace zorvat
