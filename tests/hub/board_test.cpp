// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

#include <QApplication>

using namespace zorvat;

using Board = Device;

TEST_F(Board, ToggleShowsAndHidesAndClosingRaisesTheButton) {
    start();
    frm->show();
    ui<QPushButton>("SB_zobr")->click();
    EXPECT_TRUE(frm->frmLED()->isVisible());
    ui<QLineEdit>("edtSDH")->setText(QStringLiteral("SDH Zorvatice"));
    EXPECT_EQ(frm->frmLED()->lblSDH->text(), QStringLiteral("SDH Zorvatice"));
    frm->frmLED()->close();
    EXPECT_FALSE(frm->frmLED()->isVisible());
    EXPECT_FALSE(ui<QPushButton>("SB_zobr")->isChecked());
    // Captions typed while hidden are taken at the next showing.
    ui<QLineEdit>("edtSDH")->setText(QStringLiteral("Hidden"));
    EXPECT_EQ(frm->frmLED()->lblSDH->text(), QStringLiteral("SDH Zorvatice"));
    ui<QPushButton>("SB_zobr")->click();
    EXPECT_EQ(frm->frmLED()->lblSDH->text(), QStringLiteral("Hidden"));
    ui<QPushButton>("SB_zobr")->click();
    EXPECT_FALSE(frm->frmLED()->isVisible());
}

TEST_F(Board, RunningTimeTicksAndStopsAtTheLimit) {
    greet(457, 0x51); // limit 99 999 ms
    pick(ui<QComboBox>("CBFormat"), 1);
    device({0xAB});
    time.advance(1234);
    const QString shown = ui<QLabel>("lblCas")->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("1,2"))) << shown.toStdString();
    EXPECT_EQ(shown.size(), 5);
    time.advance(99999 - 1234 - 20);
    EXPECT_TRUE(frm->state().t_cas);
    time.advance(100);
    EXPECT_FALSE(frm->state().t_cas);
    EXPECT_TRUE(ui<TimeSurface>("DXCas1")->isHidden());
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("99,999"));
}

TEST_F(Board, HundredthsOnlyVersionsCutTheThousandths) {
    greet(454, 0x51);
    ui<QComboBox>("CBFormat")
        ->setCurrentIndex(1); // stored "tisíciny" on a version that hides the list
    device({0xAB});
    time.advance(1000);
    EXPECT_EQ(ui<QLabel>("lblCas")->text().size(), 4) << ui<QLabel>("lblCas")->text().toStdString();
}

TEST_F(Board, MovingTextRunsFromLeavingTheBoxUntilEnteringIt) {
    greet(466, 0x51);
    frm->show();
    frm->activateWindow();
    ui<QLineEdit>("edtText")->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(frm->state().t_posun);
    ui<QLineEdit>("edtText")->setText(QStringLiteral("Vítejte"));
    ui<QLineEdit>("edtSDH")->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(frm->state().t_posun);
    EXPECT_EQ(frm->frmLED()->Scrolly, QStringLiteral("Vítejte"));
    const int first = frm->frmLED()->scroll;
    time.advance(160);
    EXPECT_EQ(frm->frmLED()->scroll, first - 10) << "one pixel per frame tick";
    ui<QLineEdit>("edtText")->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(frm->state().t_posun);
    time.advance(160);
    EXPECT_EQ(frm->frmLED()->scroll, first - 10);
}
