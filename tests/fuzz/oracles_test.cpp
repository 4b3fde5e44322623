// SPDX-License-Identifier: GPL-3.0-or-later
#include "oracles.h"

#include <gtest/gtest.h>

namespace zorvat {
namespace {

using Messages = std::vector<std::array<std::int32_t, 3>>;

TEST(FuzzOracles, EntriesAgreeWithTheirMessages) {
    // The list shows the display form, the companion gets the output form.
    checkEntriesAgainstMessages({QStringLiteral("12,34L 13,00")},
                                {{1491, 0, 12345}, {1492, 2, 13002}});
    checkEntriesAgainstMessages({QStringLiteral("1 23,45"), QStringLiteral("P 0,010")},
                                {{1491, 6, 2345}});
    checkEntriesAgainstMessages({QStringLiteral("3 45,678")}, {{1491, 8, 45678}});
    checkEntriesAgainstMessages({QStringLiteral("12,340P 1,001")},
                                {{1491, 1, 1234}, {1492, 2, 1001}});
}

TEST(FuzzOracles, EntriesAndMessagesThatDisagreeAbort) {
    struct Case {
        const char* what;
        QStringList entries;
        Messages messages;
    };
    const Case cases[] = {
        {"another time", {"1 23,45"}, {{1491, 6, 2445}}},
        {"another track", {"1 23,45"}, {{1491, 7, 2345}}},
        {"another target", {"12,34L 13,00"}, {{1491, 1, 1234}, {1492, 2, 1300}}},
        {"second time", {"12,34L 13,00"}, {{1491, 0, 1234}, {1492, 2, 1234}}},
        {"no 1492", {"12,34L 13,00"}, {{1491, 0, 1234}}},
        {"listed only", {"1 23,45"}, {}},
        {"sent only", {}, {{1491, 6, 2345}}},
    };
    for (const Case& c : cases)
        EXPECT_DEATH(checkEntriesAgainstMessages(c.entries, c.messages), "oracle broken") << c.what;
}

TEST(FuzzOracles, StateLabelsHoldTheirTablesTexts) {
    checkStateLabels(QStringLiteral("jeden útok"), QStringLiteral("5:00"),
                     QStringLiteral("rozepínací"), QStringLiteral("čas: Ano"), {});
    checkStateLabels(QStringLiteral("Čtyři dráhy"), QStringLiteral("102:30"),
                     QStringLiteral("Spínací"), QStringLiteral("čas: ne"),
                     {QStringLiteral("10,00"), QStringLiteral("15,20"), QStringLiteral("31,05"),
                      QStringLiteral("0,050")});
    const QString ok = QStringLiteral("Dva útoky");
    EXPECT_DEATH(checkStateLabels(QStringLiteral("12,34"), "5:00", "spínací", "čas: ne", {}),
                 "lblDraha");
    EXPECT_DEATH(checkStateLabels(ok, "4,59 ", "spínací", "čas: ne", {}), "lblPriprava");
    EXPECT_DEATH(checkStateLabels(ok, "5:15", "spínací", "čas: ne", {}), "lblPriprava");
    EXPECT_DEATH(checkStateLabels(ok, "5:00", "L   P ", "čas: ne", {}), "lblTerce");
    EXPECT_DEATH(checkStateLabels(ok, "5:00", "spínací", "čas: Ne", {}), "lblNCas");
    EXPECT_DEATH(checkStateLabels(ok, "5:00", "spínací", "čas: ne", {"", "Start", "", ""}),
                 "board row");
}

TEST(FuzzOracles, TrackCompletion) {
    checkTrackCompletion({"1 10,00", "2 11,00", "3 12,00"}, 3, "12,00", "2 11,00");
    checkTrackCompletion({"1 10,00"}, 1, "10,00", "");
    EXPECT_DEATH(checkTrackCompletion({"1 10,00", "2 11,00"}, 3, "11,00", "1 10,00"),
                 "another number of times");
    EXPECT_DEATH(checkTrackCompletion({"1 10,00", "2 11,00"}, 2, "10,00", "1 10,00"),
                 "lblCas does not");
    EXPECT_DEATH(checkTrackCompletion({"1 10,00", "2 11,00"}, 2, "11,00", ""), "lblCasD");
}

TEST(FuzzOracles, RecordsOfTwoPacings) {
    RunRecord a;
    a.results = {"", "1 10,00"};
    a.messages = {{1491, 6, 1000}};
    a.finalLabels = {"10,00", "*"};
    RunRecord b = a;
    b.finalLabels = {"10,00", "2,503"}; // a running time in one run only
    checkSameRecord(a, b, "test");
    b.results = {"", "1 10,01"};
    EXPECT_DEATH(checkSameRecord(a, b, "test"), "results list");
    b = a;
    b.messages.push_back({1495, 0, 0});
    EXPECT_DEATH(checkSameRecord(a, b, "test"), "messages");
}

} // namespace
} // namespace zorvat
