// SPDX-License-Identifier: GPL-3.0-or-later
#include "session_lookup.h"

namespace zorvat {

std::optional<ResultNumbers> numbersAt(const SqliteStatement& row, int first) {
    const std::optional<qint64> w1491 = row.optionalInteger(first);
    const std::optional<qint64> l1491 = row.optionalInteger(first + 1);
    if (!w1491 || !l1491)
        return std::nullopt;
    ResultNumbers numbers{qint32(*w1491), qint32(*l1491), std::nullopt};
    const std::optional<qint64> w1492 = row.optionalInteger(first + 2);
    const std::optional<qint64> l1492 = row.optionalInteger(first + 3);
    if (w1492 && l1492)
        numbers.m1492 = std::make_pair(qint32(*w1492), qint32(*l1492));
    return numbers;
}

std::optional<std::vector<ListedResult>> unfinishedList(SqliteConnection& db) {
    SqliteStatement* latest =
        db.query("SELECT number, ended IS NULL FROM sessions ORDER BY number DESC LIMIT 1");
    if (latest == nullptr)
        return std::nullopt;
    const bool found = latest->next();
    const qint64 number = found ? latest->integer(0) : 0;
    const bool unfinished = found && latest->integer(1) != 0;
    if (!db.finish(*latest))
        return std::nullopt;

    std::vector<ListedResult> list;
    if (!unfinished)
        return list;
    SqliteStatement* rows =
        db.query("SELECT text, w1491, l1491, w1492, l1492, attempt FROM results "
                 "WHERE session = ? AND deleted = 0 ORDER BY id",
                 number);
    if (rows == nullptr)
        return std::nullopt;
    while (rows->next())
        list.push_back({{rows->text(0), numbersAt(*rows, 1)}, rows->optionalInteger(5)});
    if (!db.finish(*rows))
        return std::nullopt;
    return list;
}

std::optional<bool> holdsSession(SqliteConnection& db, qint64 number, const QString& started) {
    SqliteStatement* row =
        db.query("SELECT started = ? FROM sessions WHERE number = ?", started, number);
    if (row == nullptr)
        return std::nullopt;
    const bool holds = row->next() && row->integer(0) != 0;
    if (!db.finish(*row))
        return std::nullopt;
    return holds;
}

} // namespace zorvat
