// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

using namespace zorvat;

class AutomaticStart : public Device {
protected:
    using Played = std::vector<std::pair<QString, bool>>;
    void SetUp() override {
        serial.clock = &time;
        greet(454, 0x51); // older firmware resets with its greeting: the button is armed
        serial.lines.clear();
        serial.lineTimes.clear();
    }
};

TEST_F(AutomaticStart, TwoClicksAnnounceWarnWaitShootAndPulse) {
    ASSERT_TRUE(ui<QPushButton>("btnAutomat")->isEnabled());
    ASSERT_EQ(ui<QPushButton>("btnAutomat")->text(), QStringLiteral("Automatický start"));
    ui<QPushButton>("btnAutomat")->click();
    EXPECT_EQ(ui<QPushButton>("btnAutomat")->text(), QStringLiteral("Pozor!!!"));
    EXPECT_TRUE(ui<QPushButton>("btnAutomat")->isEnabled());
    EXPECT_EQ(sounds.played, (Played{{QStringLiteral("zacatek.wav"), true}}));
    EXPECT_TRUE(serial.lines.isEmpty());

    const qint64 before = time.monotonicMs();
    ui<QPushButton>("btnAutomat")->click();
    EXPECT_EQ(ui<QPushButton>("btnAutomat")->text(), QStringLiteral("Odstartováno!!!"));
    EXPECT_FALSE(ui<QPushButton>("btnAutomat")->isEnabled());
    EXPECT_EQ(sounds.played, (Played{{QStringLiteral("zacatek.wav"), true},
                                     {QStringLiteral("pozor.wav"), true},
                                     {QStringLiteral("vystrel.wav"), false}}));
    ASSERT_EQ(serial.lines, (QStringList{QStringLiteral("DTR+"), QStringLiteral("DTR-")}));
    EXPECT_EQ(serial.lineTimes[1] - serial.lineTimes[0], 5);
    const qint64 pause = serial.lineTimes[0] - before;
    EXPECT_GE(pause, 100);
    EXPECT_LE(pause, 599);
    // The device's start changes nothing; its reset re-arms the button.
    device({0xAB});
    EXPECT_EQ(ui<QPushButton>("btnAutomat")->text(), QStringLiteral("Odstartováno!!!"));
    device({0xAA});
    EXPECT_EQ(ui<QPushButton>("btnAutomat")->text(), QStringLiteral("Automatický start"));
    EXPECT_TRUE(ui<QPushButton>("btnAutomat")->isEnabled());
}

TEST_F(AutomaticStart, PausesVaryAndStayWithinTheirRange) {
    QSet<qint64> pauses;
    for (int i = 0; i < 20; ++i) {
        ui<QPushButton>("btnAutomat")->click();
        time.advance(37 * i + 1); // another moment, another seed
        serial.lineTimes.clear();
        const qint64 before = time.monotonicMs();
        ui<QPushButton>("btnAutomat")->click();
        ASSERT_EQ(serial.lineTimes.size(), 2);
        const qint64 pause = serial.lineTimes[0] - before;
        EXPECT_GE(pause, 100);
        EXPECT_LE(pause, 599);
        pauses << pause;
        device({0xAA});
    }
    EXPECT_GT(pauses.size(), 10);
}

TEST_F(AutomaticStart, AResetAfterTheAnnouncementReArms) {
    ui<QPushButton>("btnAutomat")->click();
    device({0xAA});
    EXPECT_EQ(ui<QPushButton>("btnAutomat")->text(), QStringLiteral("Automatický start"));
    ui<QPushButton>("btnAutomat")->click();
    EXPECT_EQ(ui<QPushButton>("btnAutomat")->text(), QStringLiteral("Pozor!!!"));
}
