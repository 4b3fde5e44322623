// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal.h"
#include "journal_reader.h"
#include "qt_printers.h"

#include <QDateTime>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace zorvat::test {

// A moment of the competition day, with its offset, as the clock interface gives it.
inline QDateTime at(int hour, int minute, int second, int ms = 0) {
    return QDateTime(QDate(2024, 5, 12), QTime(hour, minute, second, ms), Qt::OffsetFromUTC, 7200);
}

inline JournalEntry attackEntry(const QString& text, qint32 l1491, qint32 l1492) {
    return {text, ResultNumbers{0, l1491, std::pair{2, l1492}}};
}

inline JournalEntry trackEntry(const QString& text, qint32 track, qint32 time) {
    return {text, ResultNumbers{track + 5, time, std::nullopt}};
}

// What the journal reported, and a monotonic clock the test moves by hand.
struct JournalWatch {
    qint64 nowMs = 0;
    QStringList problems;
    int recoveries = 0;

    Journal::MonotonicClock clock() {
        return [this] { return nowMs; };
    }
    void attach(Journal& journal) {
        journal.onProblem = [this](const QString& words) { problems << words; };
        journal.onRecovered = [this] { ++recoveries; };
    }
};

// A data folder of its own for each test.
class JournalTest : public ::testing::Test {
protected:
    QString folder() const { return dir_.path() + QStringLiteral("/data"); }
    QString filePath() const { return folder() + QStringLiteral("/journal.sqlite"); }

    std::vector<SessionInfo> sessions() const {
        JournalReader reader(folder());
        auto sessions = reader.sessions();
        EXPECT_TRUE(sessions) << reader.problem().toStdString();
        return sessions.value_or(std::vector<SessionInfo>());
    }
    std::vector<QString> liveTexts(qint64 session) const {
        JournalReader reader(folder());
        std::vector<QString> texts;
        const auto rows = reader.results(session);
        EXPECT_TRUE(rows) << reader.problem().toStdString();
        for (const ResultRow& row : rows.value_or(std::vector<ResultRow>()))
            texts.push_back(row.entry.text);
        return texts;
    }
    // The scratch folder, apart from the data folder.
    QString scratch(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace zorvat::test
