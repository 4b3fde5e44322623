// SPDX-License-Identifier: GPL-3.0-or-later
#include "version_table.h"

#include <gtest/gtest.h>

using namespace zorvat;

TEST(VersionTable, RowsInListOrder) {
    const auto& t = versionTable();
    const int expected[] = {454, 456, 457, 458, 462, 463, 466, 467, 468};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(t[i].verze, expected[i]);
    EXPECT_STREQ(t[8].text, "4,68");
    EXPECT_EQ(t[8].maxTime, 199999);
    EXPECT_STREQ(t[8].formatU, "188,888L 188,888");
    EXPECT_EQ(t[3].BCas, 4);
    EXPECT_EQ(t[3].pocetB_Uvod, 3);
    EXPECT_EQ(t[2].maxTime, 99999);
    EXPECT_STREQ(t[0].formatS, "888,88");
}

struct VersionCase {
    int verze;
    Edition edition;
    int position;
    bool newGreeting;
    bool wholeByte;
    bool precisionChoice;
};

class VersionSets : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionSets, FollowEdition) {
    const VersionCase c = GetParam();
    EXPECT_EQ(versionListPosition(c.verze, c.edition), c.position);
    EXPECT_EQ(isNewGreetingVersion(c.verze, c.edition), c.newGreeting);
    EXPECT_EQ(isWholeByteCodeVersion(c.verze, c.edition), c.wholeByte);
    EXPECT_EQ(offersPrecisionChoice(c.verze, c.edition), c.precisionChoice);
}

constexpr Edition D = Edition::Difference;
constexpr Edition Q = Edition::FourSplit;

INSTANTIATE_TEST_SUITE_P(
    All, VersionSets,
    ::testing::Values(
        VersionCase{454, D, 0, false, false, false}, VersionCase{456, Q, 1, false, false, true},
        VersionCase{457, D, 2, false, false, true}, VersionCase{458, Q, 3, false, true, true},
        VersionCase{462, D, 4, false, false, false}, VersionCase{463, Q, 5, false, false, false},
        VersionCase{466, D, 6, true, true, true}, VersionCase{467, Q, 7, true, true, true},
        VersionCase{468, D, 8, true, true, true}, VersionCase{469, D, 9, true, true, true},
        VersionCase{470, D, 10, true, true, true}, VersionCase{469, Q, -1, false, false, false},
        VersionCase{470, Q, -1, false, false, false}, VersionCase{455, D, -1, false, false, false},
        VersionCase{0, Q, -1, false, false, false}));
