// SPDX-License-Identifier: GPL-3.0-or-later
#include "sqlite.h"

#include <system_error>

namespace zorvat {

namespace {

bool isCorruption(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// Codes where a failed system call lies underneath, whose own words say the most.
bool comesFromSystem(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN;
}

SqliteProblem problemOf(sqlite3* db, int code) {
    SqliteProblem problem;
    problem.words = QString::fromUtf8(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    problem.corrupt = isCorruption(code);
    const int systemError = db != nullptr ? sqlite3_system_errno(db) : 0;
    if (comesFromSystem(code) && systemError != 0)
        problem.words += QStringLiteral(": ") +
                         QString::fromStdString(std::generic_category().message(systemError));
    return problem;
}

} // namespace

void SqliteStatement::bind(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(statement_, index, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, const std::optional<qint64>& value) {
    if (value)
        sqlite3_bind_int64(statement_, index, *value);
    else
        sqlite3_bind_null(statement_, index);
}

bool SqliteStatement::next() {
    lastCode_ = sqlite3_step(statement_);
    return lastCode_ == SQLITE_ROW;
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    lastCode_ = SQLITE_OK;
}

void SqliteStatement::bind(int index, const std::optional<QString>& value) {
    if (value)
        bind(index, *value);
    else
        sqlite3_bind_null(statement_, index);
}

std::optional<qint64> SqliteStatement::optionalInteger(int column) const {
    if (sqlite3_column_type(statement_, column) == SQLITE_NULL)
        return std::nullopt;
    return integer(column);
}

QString SqliteStatement::text(int column) const {
    const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QString::fromUtf8(chars, sqlite3_column_bytes(statement_, column));
}

std::unique_ptr<SqliteConnection> SqliteConnection::open(const QString& path, bool readOnly,
                                                         SqliteProblem& problem) {
    sqlite3* db = nullptr;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int code = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (code != SQLITE_OK) {
        problem = problemOf(db, code);
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    return std::unique_ptr<SqliteConnection>(new SqliteConnection(db));
}

SqliteConnection::SqliteConnection(sqlite3* db) : db_(db) {
    sqlite3_wal_hook(
        db_,
        [](void* self, sqlite3*, const char*, int pages) {
            static_cast<SqliteConnection*>(self)->walPages_ = pages;
            return SQLITE_OK;
        },
        this);
}

SqliteConnection::~SqliteConnection() {
    statements_.clear();
    sqlite3_close_v2(db_);
}

bool SqliteConnection::exec(const char* sql) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        noteFailure(code);
    return code == SQLITE_OK;
}

SqliteStatement* SqliteConnection::statement(const char* sql) {
    std::unique_ptr<SqliteStatement>& cached = statements_[sql];
    if (!cached) {
        sqlite3_stmt* prepared = nullptr;
        const int code =
            sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &prepared, nullptr);
        if (code != SQLITE_OK) {
            noteFailure(code);
            statements_.erase(sql);
            return nullptr;
        }
        cached = std::make_unique<SqliteStatement>(prepared);
    }
    return cached.get();
}

bool SqliteConnection::finish(SqliteStatement& statement) {
    const int code = statement.lastCode();
    const bool ok = code == SQLITE_DONE || code == SQLITE_ROW;
    if (!ok)
        noteFailure(code);
    statement.reset();
    return ok;
}

void SqliteConnection::noteFailure(int code) {
    problem_ = problemOf(db_, code);
}

} // namespace zorvat
