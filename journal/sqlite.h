// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <sqlite3.h>

namespace zorvat {

// What went wrong, in the library's and the system's words.
struct SqliteProblem {
    QString words;
    bool corrupt = false; // the file is damaged or not a database at all
};

// One prepared statement, reset after each use so that the connection can keep it.
class SqliteStatement {
public:
    explicit SqliteStatement(sqlite3_stmt* statement) : statement_(statement) {}
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement() { sqlite3_finalize(statement_); }

    void bind(int index, qint64 value) { sqlite3_bind_int64(statement_, index, value); }
    void bind(int index, const QString& value);
    void bind(int index, const std::optional<qint64>& value);
    void bind(int index, const std::optional<QString>& value);

    // Steps to the next row; false at the end or on an error (see SqliteConnection::finish).
    bool next();
    int lastCode() const { return lastCode_; }
    void reset();

    qint64 integer(int column) const { return sqlite3_column_int64(statement_, column); }
    std::optional<qint64> optionalInteger(int column) const;
    QString text(int column) const;

private:
    sqlite3_stmt* statement_;
    int lastCode_ = SQLITE_OK;
};

class SqliteConnection {
public:
    // Null with the reason in problem when the file cannot be opened.
    static std::unique_ptr<SqliteConnection> open(const QString& path, bool readOnly,
                                                  SqliteProblem& problem);
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    ~SqliteConnection();

    // Statements without results, separated by semicolons.
    bool exec(const char* sql);
    // A cached statement for a string literal, reset and with no bindings; null on failure.
    SqliteStatement* statement(const char* sql);
    // Runs a statement that returns no rows.
    template <typename... Values> bool run(const char* sql, const Values&... values) {
        SqliteStatement* s = query(sql, values...);
        if (s == nullptr)
            return false;
        s->next();
        return finish(*s);
    }
    // A statement with its values bound, ready for next(); call finish() after the last row.
    template <typename... Values> SqliteStatement* query(const char* sql, const Values&... values) {
        SqliteStatement* s = statement(sql);
        if (s == nullptr)
            return nullptr;
        int index = 0;
        (s->bind(++index, values), ...);
        return s;
    }
    // True when the statement ended without an error; resets it either way.
    bool finish(SqliteStatement& statement);

    // A writer that holds the database makes us wait at most this long, then fail.
    void setBusyTimeout(int ms) { sqlite3_busy_timeout(db_, ms); }
    qint64 lastInsertId() const { return sqlite3_last_insert_rowid(db_); }
    // Pages in the write-ahead log after the last commit. Watching them turns off SQLite's own
    // checkpoints, which would otherwise land on whichever commit fills the log.
    int walPages() const { return walPages_; }
    const SqliteProblem& problem() const { return problem_; }

private:
    explicit SqliteConnection(sqlite3* db);
    void noteFailure(int code);

    sqlite3* db_;
    std::map<const char*, std::unique_ptr<SqliteStatement>> statements_;
    SqliteProblem problem_;
    int walPages_ = 0;
};

} // namespace zorvat
