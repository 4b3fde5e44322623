// SPDX-License-Identifier: GPL-3.0-or-later
// Sessions written and read back through real SQLite files, and the restore after a crash.
#include "child_process.h"
#include "journal_file.h"
#include "journal_fixture.h"

using namespace zorvat;
using namespace zorvat::test;

namespace {

using JournalSessionTest = JournalTest;

std::vector<StampedByte> burst(std::vector<std::uint8_t> values, qint64 monotonicMs) {
    std::vector<StampedByte> bytes;
    for (std::uint8_t value : values)
        bytes.push_back({value, monotonicMs, 1'715'500'000'000 + monotonicMs});
    return bytes;
}

TEST_F(JournalSessionTest, ReadsBackWhatARunRecorded) {
    const std::vector<StampedByte> start = burst({0x55, 0xAB}, 1000);
    const std::vector<StampedByte> final = burst({0xBA, 0x00, 0x14, 0x96, 0x00}, 31000);
    {
        Journal journal(folder());
        EXPECT_TRUE(
            journal.beginSession(at(9, 58, 1), QStringLiteral("d"), QStringLiteral("0.1")).empty());
        journal.recordBytes(start);
        journal.attemptStarted(at(10, 0, 0, 123), 1000);
        journal.split(1, 1234, QStringLiteral("12,34"), QStringLiteral("Kadeř"));
        journal.split(2, 1520, QStringLiteral("15,20"), QStringLiteral("Rozdělovač"));
        journal.recordBytes(final);
        EXPECT_TRUE(journal.resultsAdded({attackEntry(QStringLiteral("14,96L 23,88"), 1496, 2388),
                                          JournalEntry{QStringLiteral("P 12,34"), std::nullopt}}));
        journal.reset();
        journal.linkLost(at(10, 1, 0));
        journal.linkRestored(at(10, 1, 5, 250));
        journal.attemptStarted(at(10, 5, 0, 7), 301000);
        journal.split(1, 999, QStringLiteral("9,99"), QString());
        EXPECT_TRUE(journal.resultsAdded({trackEntry(QStringLiteral("1 23,45"), 1, 2345)}));
        journal.endSession(at(17, 2, 44));
    }

    const std::vector<SessionInfo> all = sessions();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].number, 1);
    EXPECT_EQ(all[0].started.toString(Qt::ISODateWithMs),
              QStringLiteral("2024-05-12T09:58:01.000+02:00"));
    ASSERT_TRUE(all[0].ended);
    EXPECT_EQ(*all[0].ended, at(17, 2, 44));
    EXPECT_EQ(all[0].edition, QStringLiteral("d"));
    EXPECT_EQ(all[0].version, QStringLiteral("0.1"));
    EXPECT_EQ(all[0].liveResults, 3);

    JournalReader reader(folder());
    const auto rows = reader.results(1);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3u);
    const ResultRow& first = (*rows)[0];
    EXPECT_EQ(first.attemptStarted.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss,zzz")),
              QStringLiteral("12.05.2024 10:00:00,123"));
    EXPECT_EQ(first.entry, attackEntry(QStringLiteral("14,96L 23,88"), 1496, 2388));
    EXPECT_EQ(first.splits[0], (SplitCell{QStringLiteral("12,34"), QStringLiteral("Kadeř")}));
    EXPECT_EQ(first.splits[1], (SplitCell{QStringLiteral("15,20"), QStringLiteral("Rozdělovač")}));
    EXPECT_FALSE(first.splits[2]);
    EXPECT_FALSE(first.splits[3]);
    EXPECT_EQ((*rows)[1].entry, (JournalEntry{QStringLiteral("P 12,34"), std::nullopt}));
    EXPECT_EQ((*rows)[1].attemptStarted, at(10, 0, 0, 123));
    EXPECT_EQ((*rows)[2].entry, trackEntry(QStringLiteral("1 23,45"), 1, 2345));
    EXPECT_EQ((*rows)[2].attemptStarted, at(10, 5, 0, 7));
    EXPECT_EQ((*rows)[2].splits[0], (SplitCell{QStringLiteral("9,99"), QString()}));

    std::vector<StampedByte> recorded = start;
    recorded.insert(recorded.end(), final.begin(), final.end());
    EXPECT_EQ(reader.deviceBytes(1), recorded);

    SqliteProblem problem;
    const auto db = openJournalForReading(folder(), problem);
    ASSERT_TRUE(db);
    SqliteStatement* events = db->query(
        "SELECT kind, coalesce(at, '-'), attempt FROM events WHERE session = 1 ORDER BY id");
    ASSERT_TRUE(events);
    QStringList seen;
    while (events->next())
        seen << events->text(0) + u' ' + events->text(1) + u' ' + events->text(2);
    EXPECT_TRUE(db->finish(*events));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("reset - 1"),
                                 QStringLiteral("link lost 2024-05-12T10:01:00.000+02:00 1"),
                                 QStringLiteral("link restored 2024-05-12T10:01:05.250+02:00 1")}));
}

// What a run leaves behind, by a crash or a clean close, and what the next start gets back.
struct RestoreCase {
    const char* name;
    std::vector<int> deletions; // list indices, in order
    bool cleanEnd;
    std::vector<QString> restored;
};

class JournalRestoreTest : public JournalTest, public ::testing::WithParamInterface<RestoreCase> {};

const std::vector<JournalEntry> kFirstAttempt{
    attackEntry(QStringLiteral("10,00L 11,00"), 1000, 1100),
    attackEntry(QStringLiteral("12,00P 13,00"), 1200, 1300)};
const std::vector<JournalEntry> kSecondAttempt{trackEntry(QStringLiteral("1 14,00"), 1, 1400)};

TEST_P(JournalRestoreTest, NextStartGetsTheLiveListOfAnUnfinishedSession) {
    const RestoreCase& c = GetParam();
    inKilledProcess([&] {
        Journal journal(folder());
        journal.beginSession(at(9, 0, 0), QStringLiteral("q"), QStringLiteral("0.1"));
        journal.attemptStarted(at(9, 10, 0, 500), 600000);
        journal.resultsAdded(kFirstAttempt);
        journal.attemptStarted(at(9, 20, 0), 1200000);
        journal.resultsAdded(kSecondAttempt);
        for (int index : c.deletions)
            journal.resultDeleted(index);
        if (c.cleanEnd)
            journal.endSession(at(12, 0, 0));
    });

    Journal journal(folder());
    EXPECT_EQ(journal.beginSession(at(13, 0, 0), QStringLiteral("q"), QStringLiteral("0.1")),
              c.restored);
    // The copies are the new session's list, still with their attempts.
    EXPECT_EQ(liveTexts(2), c.restored);
    JournalReader reader(folder());
    const auto rows = reader.results(2);
    ASSERT_TRUE(rows);
    for (const ResultRow& row : *rows) {
        const bool fromSecond = row.entry == kSecondAttempt.front();
        EXPECT_EQ(row.attemptStarted, fromSecond ? at(9, 20, 0) : at(9, 10, 0, 500));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalRestoreTest,
    ::testing::Values(RestoreCase{"killed",
                                  {},
                                  false,
                                  {QStringLiteral("10,00L 11,00"), QStringLiteral("12,00P 13,00"),
                                   QStringLiteral("1 14,00")}},
                      RestoreCase{"killed_after_deleting_the_middle",
                                  {1},
                                  false,
                                  {QStringLiteral("10,00L 11,00"), QStringLiteral("1 14,00")}},
                      RestoreCase{"killed_after_deleting_the_first_twice",
                                  {0, 0},
                                  false,
                                  {QStringLiteral("1 14,00")}},
                      RestoreCase{"killed_after_deleting_beyond_the_list",
                                  {3, -1},
                                  false,
                                  {QStringLiteral("10,00L 11,00"), QStringLiteral("12,00P 13,00"),
                                   QStringLiteral("1 14,00")}},
                      RestoreCase{"closed_cleanly", {}, true, {}},
                      RestoreCase{"closed_cleanly_after_deleting", {0}, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalSessionTest, CopiesSurviveASecondCrash) {
    inKilledProcess([&] {
        Journal journal(folder());
        journal.beginSession(at(9, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
        journal.resultsAdded(kFirstAttempt);
        journal.resultDeleted(0);
    });
    inKilledProcess([&] {
        Journal journal(folder());
        journal.beginSession(at(10, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
        journal.resultsAdded(kSecondAttempt);
        journal.resultDeleted(5);
    });
    const std::vector<QString> list{QStringLiteral("12,00P 13,00"), QStringLiteral("1 14,00")};
    EXPECT_EQ(liveTexts(2), list);

    Journal journal(folder());
    EXPECT_EQ(journal.beginSession(at(11, 0, 0), QStringLiteral("d"), QStringLiteral("0.1")), list);
    // Deleting the restored first entry deletes the copy, not the crashed session's row.
    journal.resultDeleted(0);
    EXPECT_EQ(liveTexts(3), std::vector<QString>{QStringLiteral("1 14,00")});
    EXPECT_EQ(liveTexts(2), list);
}

TEST_F(JournalSessionTest, SecondInstanceDoesNotTakeTheRunningOnesList) {
    Journal running(folder());
    running.beginSession(at(9, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
    running.resultsAdded(kFirstAttempt);

    Journal second(folder());
    EXPECT_TRUE(
        second.beginSession(at(9, 5, 0), QStringLiteral("q"), QStringLiteral("0.1")).empty());
    EXPECT_TRUE(second.resultsAdded(kSecondAttempt));
    EXPECT_TRUE(running.resultsAdded(kSecondAttempt));
    EXPECT_EQ(liveTexts(1),
              (std::vector<QString>{QStringLiteral("10,00L 11,00"), QStringLiteral("12,00P 13,00"),
                                    QStringLiteral("1 14,00")}));
    EXPECT_EQ(liveTexts(2), std::vector<QString>{QStringLiteral("1 14,00")});
}

TEST_F(JournalSessionTest, NumbersSessionsInOrderOfStart) {
    for (int run = 0; run < 3; ++run) {
        Journal journal(folder());
        journal.beginSession(at(9 + run, 0, 0), QStringLiteral("d"), QStringLiteral("0.1"));
        journal.endSession(at(9 + run, 30, 0));
    }
    const std::vector<SessionInfo> all = sessions();
    ASSERT_EQ(all.size(), 3u);
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].number, qint64(i + 1));
        EXPECT_EQ(all[i].started, at(9 + int(i), 0, 0));
    }
}

} // namespace
