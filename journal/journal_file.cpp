// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_file.h"

#include <QDateTime>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace zorvat {

namespace {

// Readers wait out another instance's commit.
constexpr int kReadingBusyTimeoutMs = 1000;

// Wall times as ISO 8601 text with their offset; monotonic times in ms of the session's clock.
constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS sessions(
    number INTEGER PRIMARY KEY,
    started TEXT NOT NULL,
    ended TEXT,
    edition TEXT NOT NULL,
    version TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS attempts(
    id INTEGER PRIMARY KEY,
    session INTEGER NOT NULL,
    started TEXT NOT NULL,
    started_monotonic_ms INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS results(
    id INTEGER PRIMARY KEY,
    session INTEGER NOT NULL,
    attempt INTEGER,
    text TEXT NOT NULL,
    w1491 INTEGER,
    l1491 INTEGER,
    w1492 INTEGER,
    l1492 INTEGER,
    deleted INTEGER NOT NULL DEFAULT 0);
CREATE INDEX IF NOT EXISTS results_by_session ON results(session, deleted, id);
CREATE TABLE IF NOT EXISTS splits(
    id INTEGER PRIMARY KEY,
    attempt INTEGER,
    row INTEGER NOT NULL,
    value INTEGER NOT NULL,
    text TEXT NOT NULL,
    caption TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS splits_by_attempt ON splits(attempt, id);
CREATE TABLE IF NOT EXISTS device_bytes(
    session INTEGER NOT NULL,
    seq INTEGER NOT NULL,
    value INTEGER NOT NULL,
    monotonic_ms INTEGER NOT NULL,
    wall_ms INTEGER NOT NULL,
    PRIMARY KEY(session, seq)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS events(
    id INTEGER PRIMARY KEY,
    session INTEGER NOT NULL,
    attempt INTEGER,
    kind TEXT NOT NULL,
    at TEXT);
)";

std::filesystem::path nativePath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

SqliteProblem systemProblem(const std::error_code& error) {
    return SqliteProblem{QString::fromStdString(error.message()), false};
}

std::optional<SqliteProblem> makeFolder(const QString& folder) {
    std::error_code error;
    std::filesystem::create_directories(nativePath(folder), error);
    if (!error && !std::filesystem::is_directory(nativePath(folder), error))
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        return systemProblem(error);
    return std::nullopt;
}

// journal.sqlite.corrupt-YYYYMMDD-HHMMSS, with -2, -3 ... when that name is taken.
QString asideName(const QString& path) {
    const QString base = path + QStringLiteral(".corrupt-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal"));
         ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

// The write-ahead log and its index go along: a fresh file must not pick up their pages.
std::optional<SqliteProblem> moveAside(const QString& path) {
    const QString name = asideName(path);
    std::error_code error;
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm"), QString()}) {
        if (!QFileInfo::exists(path + suffix))
            continue;
        std::filesystem::rename(nativePath(path + suffix), nativePath(name + suffix), error);
        if (error)
            return systemProblem(error);
    }
    return std::nullopt;
}

bool prepareForWriting(SqliteConnection& db, int busyTimeoutMs) {
    db.setBusyTimeout(busyTimeoutMs);
    return db.exec("PRAGMA journal_mode=WAL") && db.exec(kSchema);
}

std::unique_ptr<SqliteConnection> openPrepared(const QString& path, int busyTimeoutMs,
                                               SqliteProblem& problem) {
    std::unique_ptr<SqliteConnection> db = SqliteConnection::open(path, false, problem);
    if (db && !prepareForWriting(*db, busyTimeoutMs)) {
        problem = db->problem();
        db.reset();
    }
    return db;
}

} // namespace

QString journalFilePath(const QString& folder) {
    return folder + QStringLiteral("/journal.sqlite");
}

OpenedJournal openJournalForWriting(const QString& folder, bool knownDamaged, int busyTimeoutMs) {
    OpenedJournal opened;
    opened.problem = makeFolder(folder);
    if (opened.problem)
        return opened;
    const QString path = journalFilePath(folder);
    if (knownDamaged && (opened.problem = moveAside(path)))
        return opened;

    SqliteProblem problem;
    opened.db = openPrepared(path, busyTimeoutMs, problem);
    if (!opened.db)
        opened.problem = problem;
    if (opened.db || !problem.corrupt)
        return opened;

    // The damage is still reported when a fresh file works.
    if (const std::optional<SqliteProblem> notMoved = moveAside(path)) {
        opened.problem = notMoved;
        return opened;
    }
    opened.db = openPrepared(path, busyTimeoutMs, problem);
    if (!opened.db)
        opened.problem = problem;
    return opened;
}

std::unique_ptr<SqliteConnection> openJournalForReading(const QString& folder,
                                                        SqliteProblem& problem) {
    std::unique_ptr<SqliteConnection> db =
        SqliteConnection::open(journalFilePath(folder), true, problem);
    if (db)
        db->setBusyTimeout(kReadingBusyTimeoutMs);
    return db;
}

} // namespace zorvat
