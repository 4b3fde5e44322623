// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_writer.h"

namespace zorvat {

namespace {

// The log is copied into the database with a commit that waits for the disk anyway; one that
// does not takes the copy only when the log has grown large.
constexpr int kCheckpointPages = 1000;
constexpr int kForcedCheckpointPages = 10000;

// The message parameters as columns; NULL where nothing was sent.
struct NumberColumns {
    std::optional<qint64> w1491, l1491, w1492, l1492;
};

NumberColumns columnsOf(const std::optional<ResultNumbers>& numbers) {
    NumberColumns columns;
    if (numbers) {
        columns.w1491 = numbers->w1491;
        columns.l1491 = numbers->l1491;
        if (numbers->m1492) {
            columns.w1492 = numbers->m1492->first;
            columns.l1492 = numbers->m1492->second;
        }
    }
    return columns;
}

bool insertResult(SqliteConnection& db, qint64 session, const ListedResult& result) {
    const NumberColumns n = columnsOf(result.entry.numbers);
    return db.run("INSERT INTO results(session, attempt, text, w1491, l1491, w1492, l1492) "
                  "VALUES(?, ?, ?, ?, ?, ?, ?)",
                  session, result.attempt, result.entry.text, n.w1491, n.l1491, n.w1492, n.l1492);
}

bool insertSession(SqliteConnection& db, const SessionStart& start, WrittenState& state) {
    if (!db.run("INSERT INTO sessions(started, edition, version) VALUES(?, ?, ?)", start.started,
                start.edition, start.version))
        return false;
    state.session = db.lastInsertId();
    for (const ListedResult& result : state.liveList)
        if (!insertResult(db, *state.session, result))
            return false;
    return true;
}

// Applies one pending write to the file and to the state it leaves behind.
struct WriteOne {
    SqliteConnection& db;
    WrittenState& state;

    bool operator()(const AttemptStart& a) {
        if (!db.run("INSERT INTO attempts(session, started, started_monotonic_ms) VALUES(?, ?, ?)",
                    *state.session, a.started, a.monotonicMs))
            return false;
        state.attempt = db.lastInsertId();
        return true;
    }
    bool operator()(const SplitTaken& s) {
        return db.run(
            "INSERT INTO splits(attempt, row, value, text, caption) VALUES(?, ?, ?, ?, ?)",
            state.attempt, qint64(s.row), qint64(s.value), s.text, s.caption);
    }
    bool operator()(const ResultsListed& r) {
        for (const JournalEntry& entry : r.entries) {
            ListedResult result{entry, state.attempt};
            if (!insertResult(db, *state.session, result))
                return false;
            state.liveList.push_back(std::move(result));
        }
        return true;
    }
    bool operator()(const ResultRemoved& r) {
        // An index the list never had removes nothing.
        if (r.listIndex < 0 || std::size_t(r.listIndex) >= state.liveList.size())
            return true;
        if (!db.run("UPDATE results SET deleted = 1 WHERE id = (SELECT id FROM results "
                    "WHERE session = ? AND deleted = 0 ORDER BY id LIMIT 1 OFFSET ?)",
                    *state.session, qint64(r.listIndex)))
            return false;
        state.liveList.erase(state.liveList.begin() + r.listIndex);
        return true;
    }
    bool operator()(const AttemptEvent& e) {
        return db.run("INSERT INTO events(session, attempt, kind, at) VALUES(?, ?, ?, ?)",
                      *state.session, state.attempt, QString::fromLatin1(e.kind), e.at);
    }
    bool operator()(const SessionEnd& e) {
        return db.run("UPDATE sessions SET ended = ? WHERE number = ?", e.ended, *state.session);
    }
};

bool writeBytes(SqliteConnection& db, const std::vector<StampedByte>& bytes, WrittenState& state) {
    for (const StampedByte& b : bytes)
        if (!db.run("INSERT INTO device_bytes(session, seq, value, monotonic_ms, wall_ms) "
                    "VALUES(?, ?, ?, ?, ?)",
                    *state.session, state.nextByteSeq++, qint64(b.value), b.monotonicMs, b.wallMs))
            return false;
    return true;
}

} // namespace

std::optional<SqliteProblem> writePending(SqliteConnection& db, const SessionStart& start,
                                          const std::vector<PendingWrite>& writes,
                                          const std::vector<StampedByte>& bytes, bool durable,
                                          WrittenState& state) {
    // WAL with synchronous=FULL syncs the log at every commit; NORMAL leaves it to the page
    // cache, which outlives the process but not the machine.
    if (!db.run(durable ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL") ||
        !db.run("BEGIN IMMEDIATE"))
        return db.problem();

    WrittenState next = state;
    bool ok = next.session || insertSession(db, start, next);
    for (auto write = writes.begin(); ok && write != writes.end(); ++write)
        ok = std::visit(WriteOne{db, next}, *write);
    ok = ok && writeBytes(db, bytes, next) && db.run("COMMIT");
    if (!ok) {
        const SqliteProblem problem = db.problem();
        db.exec("ROLLBACK");
        return problem;
    }
    state = std::move(next);
    // A checkpoint that does not get through (a reader in the way) is tried at the next commit.
    if (db.walPages() >= (durable ? kCheckpointPages : kForcedCheckpointPages))
        db.exec("PRAGMA wal_checkpoint(PASSIVE)");
    return std::nullopt;
}

} // namespace zorvat
