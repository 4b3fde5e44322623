// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

using namespace zorvat;

using FinalTimes = Device;

TEST_F(FinalTimes, ThreeTracksShowListSendAndRotate) {
    greet(458, 0x53);
    deviceTime(0x02, 0x01, 0x23, 0x45);
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("1 12,34"));
    deviceTime(0x05, 0x01, 0x56, 0x78);
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("2 15,67"));
    EXPECT_TRUE(companion.sent.empty());
    device({0xAB});
    deviceTime(0x08, 0x02, 0x01, 0x23);
    EXPECT_FALSE(frm->state().t_cas);
    EXPECT_TRUE(ui<TimeSurface>("DXCas1")->isHidden());
    EXPECT_TRUE(ui<QLineEdit>("edtText")->isEnabled());
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("20,12"));
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("2 15,67"));
    EXPECT_EQ(results(), (QStringList{QString(), QStringLiteral("1 12,34"),
                                      QStringLiteral("2 15,67"), QStringLiteral("3 20,12")}));
    EXPECT_EQ(companion.sent,
              (Sent{{1495, 0, 0}, {1491, 6, 12345}, {1491, 7, 15678}, {1491, 8, 20123}}));
    const char* rotation[] = {"1 12,34", "2 15,67", "1 12,34"};
    for (const char* expected : rotation) {
        time.advance(2000);
        EXPECT_EQ(ui<QLabel>("lblCasD")->text().toStdString(), expected);
    }
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("20,12"));
    // A reset stops the rotation and empties both lines.
    device({0xAA});
    time.advance(4000);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QString());
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QString());
    EXPECT_FALSE(frm->state().rotating);
}

TEST_F(FinalTimes, FourTracksRotateThroughThreeEarlierTimes) {
    greet(458, 0x54);
    for (std::uint8_t code : {0x02, 0x05, 0x08, 0x09})
        deviceTime(code, 0x01, static_cast<std::uint8_t>(code << 4), 0x00);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("19,00"));
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("3 18,00"));
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        time.advance(2000);
        seen << ui<QLabel>("lblCasD")->text();
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("2 15,00"), QStringLiteral("1 12,00"),
                                 QStringLiteral("3 18,00"), QStringLiteral("2 15,00")}));
}

// A settings change during a four-track rotation: the count is read again at the wrap after
// slot 1, and only a count below 2 stops the rotation.
TEST_F(FinalTimes, RotationFollowsATimeCountChangedWhileItRuns) {
    const struct {
        std::uint8_t mode;
        const char* shownAfterTheWrap; // slots 3, 2 and 1 have been shown before it
        bool rotating;
    } cases[] = {
        {0x54, "3 18,00", true},  {0x53, "2 15,00", true},  {0x52, "1 12,00", true},
        {0x51, "1 12,00", false}, {0x50, "1 12,00", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.mode));
        greet(458, 0x54);
        for (std::uint8_t code : {0x02, 0x05, 0x08, 0x09})
            deviceTime(code, 0x01, static_cast<std::uint8_t>(code << 4), 0x00);
        device({0x5A, c.mode});
        time.advance(4000);
        EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("1 12,00"));
        for (int wraps = 0; wraps < 3; ++wraps) {
            time.advance(2000);
            EXPECT_EQ(ui<QLabel>("lblCasD")->text().toStdString(), c.shownAfterTheWrap);
            if (c.mode != 0x52)
                break;
        }
        EXPECT_EQ(frm->state().rotating, c.rotating);
        EXPECT_GE(frm->state().pcas, 1);
        EXPECT_LE(frm->state().pcas, 4);
    }
}

TEST_F(FinalTimes, ARedisplayForOneTimeWhileRotatingStopsTheRotation) {
    greet(458, 0x53);
    for (std::uint8_t code : {0x02, 0x05, 0x08})
        deviceTime(code, 0x01, 0x00, 0x00);
    ASSERT_TRUE(frm->state().rotating);
    device({0x5A, 0x50, 0xA5}); // count 0, then the redisplay sets pcas to 0
    time.advance(2000);
    EXPECT_FALSE(frm->state().rotating);
    EXPECT_LE(frm->state().pcas, 4);
}

TEST_F(FinalTimes, OneTrackInNibbleLayout) {
    greet(454, 0x51);
    device({0xBA, 0x21, 0x23, 0x45});
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("123,45"));
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QString());
    EXPECT_EQ(results().last(), QStringLiteral("1 123,45"));
    EXPECT_EQ(companion.sent, (Sent{{1491, 6, 12345}}));
    EXPECT_FALSE(frm->state().rotating);
}

TEST_F(FinalTimes, OneAttackPairEntry) {
    greet(458, 0x5A);
    deviceTime(0x00, 0x01, 0x84, 0x50);
    deviceTime(0x02, 0x01, 0x90, 0x20);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("19,02"));
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("L 18,45"));
    EXPECT_EQ(results().last(), QStringLiteral("18,45L 19,02"));
    EXPECT_EQ(companion.sent, (Sent{{1491, 0, 18450}, {1492, 2, 19020}}));
}

TEST_F(FinalTimes, TwoAttacksScanPairsAndRedisplay) {
    greet(458, 0x5C);
    deviceTime(0x01, 0x01, 0x00, 0x00);
    deviceTime(0x02, 0x01, 0x10, 0x00);
    deviceTime(0x03, 0x02, 0x00, 0x00);
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("L 20,00"));
    deviceTime(0x05, 0x02, 0x10, 0x00);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("11,00"));
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("2 21,00"));
    const QStringList list = results();
    EXPECT_EQ(list.mid(1),
              (QStringList{QStringLiteral("10,00P 11,00"), QStringLiteral("20,00L 21,00")}));
    EXPECT_EQ(companion.sent,
              (Sent{{1491, 1, 10000}, {1492, 2, 11000}, {1491, 0, 20000}, {1492, 2, 21000}}));

    companion.sent.clear();
    ui<QLabel>("lblCas")->setText(QString());
    ui<QLabel>("lblCasD")->setText(QString());
    device({0xA5});
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("11,00"));
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("2 21,00"));
    EXPECT_EQ(results(), list);
    EXPECT_TRUE(companion.sent.empty());
}

TEST_F(FinalTimes, TwoAttacksWithAMissingSlotMakeOnlyTheCompletePair) {
    greet(458, 0x5C);
    deviceTime(0x00, 0x01, 0x00, 0x00);
    deviceTime(0x02, 0x01, 0x10, 0x00);
    deviceTime(0x00, 0x02, 0x00, 0x00);
    deviceTime(0x02, 0x02, 0x10, 0x00);
    // The later slot of a kind wins; attack 2 has no slots at all.
    EXPECT_EQ(results().mid(1), QStringList{QStringLiteral("20,00L 21,00")});
    EXPECT_EQ(companion.sent, (Sent{{1491, 0, 20000}, {1492, 2, 21000}}));
}

TEST_F(FinalTimes, RedisplayInTrackMode) {
    greet(458, 0x53);
    for (std::uint8_t code : {0x02, 0x05, 0x08})
        deviceTime(code, 0x01, static_cast<std::uint8_t>(code << 4), 0x00);
    device({0xAA});
    device({0xA5});
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("18,00"));
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("2 15,00"));
    EXPECT_TRUE(frm->state().rotating);
    EXPECT_EQ(results().size(), 4);
}

TEST_F(FinalTimes, TimeBeforeAnyResetTakesSlotOne) {
    greet(466, 0x51);
    ASSERT_EQ(frm->state().casu, 0);
    deviceTime(0x02, 0x01, 0x23, 0x45);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("12,34"));
    EXPECT_EQ(results().last(), QStringLiteral("1 12,34"));
}

TEST_F(FinalTimes, TimesBeyondTheCountAreDroppedAndTheCompletionRunsOnce) {
    greet(458, 0x51);
    deviceTime(0x02, 0x01, 0x23, 0x45);
    deviceTime(0x05, 0x09, 0x99, 0x99);
    deviceTime(0x08, 0x09, 0x99, 0x99);
    EXPECT_EQ(results(), (QStringList{QString(), QStringLiteral("1 12,34")}));
    EXPECT_EQ(companion.sent.size(), 1u);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("12,34"));
    // The next attempt after a reset is taken again.
    device({0xAA});
    deviceTime(0x02, 0x02, 0x00, 0x00);
    EXPECT_EQ(results().last(), QStringLiteral("1 20,00"));
}

TEST_F(FinalTimes, CountsOutsideOneToFourUseTheSlotsThereAre) {
    greet(458, 0x57); // count 7
    for (int i = 0; i < 4; ++i)
        deviceTime(0x02, 0x01, static_cast<std::uint8_t>(i << 4), 0x00);
    EXPECT_EQ(results().size(), 5);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("13,00"));

    greet(458, 0x50); // count 0
    deviceTime(0x02, 0x01, 0x00, 0x00);
    EXPECT_EQ(results().size(), 2);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("10,00"));
}

TEST_F(FinalTimes, AResultThatDoesNotConvertIsReportedAndTheOthersStillGo) {
    greet(458, 0x52);
    deviceTime(0x00, 0x01, 0x23, 0x45); // left-target code on a track
    deviceTime(0x05, 0x01, 0x56, 0x78);
    EXPECT_EQ(results().mid(1),
              (QStringList{QStringLiteral("L 12,34"), QStringLiteral("2 15,67")}));
    EXPECT_EQ(errors.shown, QStringList{QStringLiteral("'L' is not a valid integer value")});
    EXPECT_EQ(companion.sent, (Sent{{1491, 7, 15678}}));
}

TEST_F(FinalTimes, DisplayFollowsThePrecisionChosenNow) {
    greet(458, 0x51);
    pick(ui<QComboBox>("CBFormat"), 1);
    deviceTime(0x02, 0x01, 0x23, 0x45);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("12,345"));
    EXPECT_EQ(results().last(), QStringLiteral("1 12,345"));
}
