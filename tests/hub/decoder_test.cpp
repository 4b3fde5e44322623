// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

using namespace zorvat;

using Decoder = Device;

TEST_F(Decoder, SettingsChangeCommands) {
    greet(467, 0x51);
    device({0x5A, 0xD1, 0x07});
    EXPECT_EQ(ui<QLabel>("lblDraha")->text(), QStringLiteral("Jedna dráha"));
    EXPECT_EQ(ui<QLabel>("lblPriprava")->text(), QStringLiteral("7:30"));
    EXPECT_EQ(companion.sent, (Sent{{1490, 467, 0xD1}}));

    greet(466, 0x51);
    device({0x5A, 0x0C});
    EXPECT_EQ(ui<QLabel>("lblDraha")->text(), QStringLiteral("Dva útoky"));
    EXPECT_EQ(ui<QLabel>("lblPriprava")->text(), QStringLiteral("0:00"));
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(),
              QStringLiteral("Formát času: 888,888L 888,888"));
}

TEST_F(Decoder, Version470EmptiesTheDescriptionInTheDifferenceEditionOnly) {
    greet(470, 0x51, Edition::Difference);
    device({0xA4});
    device({0x5A});
    EXPECT_EQ(ui<QLabel>("lblTyp")->text(), QString());
    device({0x0A});
    EXPECT_EQ(ui<QLabel>("lblDraha")->text(), QStringLiteral("Jeden útok"));

    greet(470, 0x51, Edition::FourSplit);
    device({0x5A, 0x0A});
    EXPECT_EQ(ui<QLabel>("lblTyp")->text(), QStringLiteral("Měří: 1-2 štafety, 1 útok, přípravu"));
}

TEST_F(Decoder, FeatureTextsAccumulateInTheDifferenceEditionOnly) {
    const QString base = QStringLiteral("Měří: 1-2 štafety, 1 útok, přípravu");
    greet(454, 0x51, Edition::Difference);
    device({0xA3, 0xA3, 0xA8});
    EXPECT_EQ(ui<QLabel>("lblTyp")->text(),
              base + QStringLiteral(" první nebliká,  první nebliká,  2. ř. neběží"));
    greet(454, 0x51, Edition::FourSplit);
    device({0xA3, 0xA4, 0xA6, 0xA7, 0xA8, 0xA9, 0xAD, 0xAF});
    EXPECT_EQ(ui<QLabel>("lblTyp")->text(), base);
}

TEST_F(Decoder, TargetTypeTimeFlagAndTargetStates) {
    greet(454, 0x51);
    device({0xA2});
    EXPECT_EQ(ui<QLabel>("lblTerce")->text(), QStringLiteral("Spínací"));
    device({0xA1});
    EXPECT_EQ(ui<QLabel>("lblTerce")->text(), QStringLiteral("Rozpínací"));
    device({0xAC});
    EXPECT_EQ(ui<QLabel>("lblNCas")->text(), QStringLiteral("čas: ne"));
    EXPECT_TRUE(ui<QLabel>("lblNCas")->isHidden())
        << "the time flag commands do not show the label";
    device({0xD6});
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("   2 3    "));
    device({0xD0});
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QString(12, QLatin1Char(' ')));
    device({0x5A, 0xCC}); // two attacks
    device({0xD5});
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QStringLiteral("L    L    "));
}

TEST_F(Decoder, StartCommand) {
    greet(454, 0x51);
    device({0x55});
    ASSERT_TRUE(frm->state().countdownRunning);
    time.advance(2000);
    device({0xAB});
    EXPECT_FALSE(frm->state().countdownRunning);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("0,000"));
    EXPECT_TRUE(frm->state().t_cas);
    EXPECT_EQ(frm->state().StartKQ,
              QDateTime(QDate(2026, 6, 13), QTime(9, 59)).addMSecs(frm->state().startMonotonicMs));
    EXPECT_NEAR(frm->state().startMonotonicMs, time.monotonicMs(), 2);
    EXPECT_EQ(frm->focusWidget(), ui<QComboBox>("CBCas"));
    EXPECT_TRUE(ui<QLineEdit>("edtM0")->isEnabled());
    for (QLineEdit* e : {ui<QLineEdit>("edtM1"), ui<QLineEdit>("edtM2"), ui<QLineEdit>("edtMR"),
                         ui<QLineEdit>("edtSDH"), ui<QLineEdit>("edtText")})
        EXPECT_FALSE(e->isEnabled()) << e->objectName().toStdString();
    EXPECT_FALSE(ui<TimeSurface>("DXCas1")->isHidden());
    EXPECT_TRUE(frm->frmLED()->isStartBannerShown());
    EXPECT_EQ(companion.sent, (Sent{{1495, 0, 0}}));
    // The banner goes 2000 ms after the start, with nothing else happening.
    time.advance(1997);
    EXPECT_TRUE(frm->frmLED()->isStartBannerShown());
    time.advance(2);
    EXPECT_FALSE(frm->frmLED()->isStartBannerShown());
}

TEST_F(Decoder, PreparationCountdown) {
    greet(454, 0x51); // 5:00
    device({0x55});
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("5,00 "));
    struct {
        int afterMs;
        const char* text;
    } steps[] = {{1000, "4,59 "}, {59000, "4,00 "}, {231000, "0,09 "}, {9000, "0,00 "}, {1000, ""}};
    for (const auto& s : steps) {
        time.advance(s.afterMs);
        EXPECT_EQ(ui<QLabel>("lblCas")->text().toStdString(), s.text);
    }
    EXPECT_FALSE(frm->state().countdownRunning);

    greet(467, 0x81, Edition::Difference, 0x10); // 10:30
    device({0x55});
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("10,30 "));
    time.advance(1000);
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("10,29 "));
    // A second load restarts from the configured time.
    device({0x55});
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("10,30 "));
}
