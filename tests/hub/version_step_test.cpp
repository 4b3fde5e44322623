// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

#include <QApplication>

using namespace zorvat;

using VersionStep = Hub;
using VersionStepOnLine = Device;

TEST_F(VersionStep, DifferenceEditionIgnoresAVersionPickUntilClose) {
    writeIni("[Cas]\nTyp=456\n");
    start(Edition::Difference);
    ASSERT_FALSE(ui<QComboBox>("CBFormat")->isHidden());
    pick(ui<QComboBox>("CBverze"), 3); // "4,58"
    EXPECT_EQ(frm->state().verze, 456);
    // A precision change runs the version step, which selects 4,56 again.
    pick(ui<QComboBox>("CBFormat"), 1);
    EXPECT_EQ(ui<QComboBox>("CBverze")->currentIndex(), 1);
    EXPECT_EQ(frm->state().BCas, 4);
    EXPECT_EQ(frm->state().pocetB_Uvod, 5);
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(), QStringLiteral("Formát času: 888,888"));

    pick(ui<QComboBox>("CBverze"), 3);
    ASSERT_TRUE(closeWindow());
    start(Edition::Difference);
    EXPECT_EQ(frm->state().verze, 458);
    EXPECT_EQ(frm->state().pocetB_Uvod, 3);
}

TEST_F(VersionStep, FourSplitEditionTakesTheVersionAtOnceButNotItsParameters) {
    start(Edition::FourSplit);
    companion.sent.clear();
    ui<QLabel>("lblCas")->setText(QStringLiteral("x"));
    pick(ui<QComboBox>("CBverze"), 3);
    EXPECT_EQ(frm->state().verze, 458);
    EXPECT_EQ(frm->state().BCas, 3);
    EXPECT_TRUE(ui<QComboBox>("CBFormat")->isHidden());
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QString())
        << "the format caption is rewritten, the times emptied";
    EXPECT_TRUE(companion.sent.empty());
}

TEST_F(VersionStepOnLine, PrecisionChangeStopsTheClockAndTellsTheCompanion) {
    greet(468, 0x51, Edition::FourSplit);
    frm->show();
    frm->activateWindow();
    // The moving text moves and an attempt runs.
    ui<QLineEdit>("edtText")->setFocus();
    QApplication::processEvents();
    ui<QLineEdit>("edtText")->setText(QStringLiteral("Vítejte"));
    ui<QLineEdit>("edtSDH")->setFocus();
    QApplication::processEvents();
    device({0xAB});
    ASSERT_TRUE(frm->state().t_cas);
    ASSERT_TRUE(frm->state().t_posun);
    companion.sent.clear();
    pick(ui<QComboBox>("CBFormat"), 1);
    EXPECT_FALSE(frm->state().t_cas);
    EXPECT_FALSE(frm->state().t_posun);
    EXPECT_EQ(frm->state().maxTime, 199999);
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(), QStringLiteral("Formát času: 188,888"));
    EXPECT_EQ(companion.sent, (Sent{{1494, 468, 1}}));
}

TEST_F(VersionStepOnLine, FormatCaptionFollowsTheAttackFlag) {
    greet(454, 0x51);
    device({0x5A, 0x0A});
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(),
              QStringLiteral("Formát času: 888,88L 888,88"));
    device({0x5A, 0x02});
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(), QStringLiteral("Formát času: 888,88"));
}
