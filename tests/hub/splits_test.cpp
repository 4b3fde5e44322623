// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

using namespace zorvat;

class Splits : public Device {
protected:
    void startAttempt(Edition edition, int precision) {
        greet(458, 0x51, edition);
        pick(ui<QComboBox>("CBFormat"), precision);
        ui<QLineEdit>("edtM0")->setText(QStringLiteral("Sání"));
        ui<QLineEdit>("edtM1")->setText(QStringLiteral("Koš"));
        ui<QLineEdit>("edtM2")->setText(QStringLiteral("Voda"));
        ui<QLineEdit>("edtMR")->setText(QStringLiteral("Rozdíl"));
        device({0xAB});
        companion.sent.clear();
    }
    void pressAt(qint64 msAfterStart) {
        time.advance(frm->state().startMonotonicMs + msAfterStart - time.monotonicMs());
        // As the keyboard delivers it: to the control with the focus, after the start command
        // the results list.
        QWidget* focus = frm->focusWidget();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(focus ? focus : frm.get(), &press);
    }
    QStringList boardTimes() const {
        const auto t = frm->frmLED()->rowTimes();
        return {t.begin(), t.end()};
    }
};

TEST_F(Splits, DifferenceEditionThreePressesAndTheDifference) {
    startAttempt(Edition::Difference, 0);
    pressAt(10004);
    pressAt(15204);
    EXPECT_EQ(companion.sent, (Sent{{1495, 1, 1000}, {1495, 2, 1520}}));
    pressAt(31049);
    EXPECT_EQ(boardTimes(), (QStringList{QStringLiteral("10,00"), QStringLiteral("15,20"),
                                         QStringLiteral("31,05"), QStringLiteral("15,85")}));
    EXPECT_EQ(companion.sent,
              (Sent{{1495, 1, 1000}, {1495, 2, 1520}, {1495, 3, 3105}, {1495, 4, 1585}}));
    const TfrmLED& b = *frm->frmLED();
    EXPECT_EQ(b.lblM0->text(), QStringLiteral("Sání"));
    EXPECT_EQ(b.lblMR->text(), QStringLiteral("Rozdíl"));
    EXPECT_EQ(ui<AutoSizeLabel>("lblM0C")->text(), QStringLiteral("Sání: 10,00"));
    EXPECT_EQ(ui<AutoSizeLabel>("lblMRC")->text(), QStringLiteral("Rozdíl: 15,85"));
    EXPECT_FALSE(ui<AutoSizeLabel>("lblMRC")->isHidden());
    pressAt(40000);
    EXPECT_EQ(companion.sent.size(), 4u);
    // The reset empties the rows and hides the side labels; the next attempt starts over.
    device({0xAA});
    EXPECT_EQ(boardTimes(), QStringList(4, QString()));
    EXPECT_TRUE(ui<AutoSizeLabel>("lblM0C")->isHidden());
}

TEST_F(Splits, FourSplitEditionFourPressesAtThousandths) {
    startAttempt(Edition::FourSplit, 1);
    pressAt(1500);
    EXPECT_FALSE(frm->frmLED()->isStartBannerShown()) << "a split hides the banner";
    pressAt(2250);
    pressAt(3000);
    pressAt(4125);
    EXPECT_EQ(boardTimes(), (QStringList{QStringLiteral("1,500"), QStringLiteral("2,250"),
                                         QStringLiteral("3,000"), QStringLiteral("4,125")}));
    EXPECT_EQ(companion.sent,
              (Sent{{1495, 1, 1500}, {1495, 2, 2250}, {1495, 3, 3000}, {1495, 4, 750}}));
    EXPECT_EQ(ui<AutoSizeLabel>("lblMRC")->text(), QStringLiteral("Rozdíl: 4,125"));
}

TEST_F(Splits, SpaceReachesTheSplitFromTheResultsListAndTheBoard) {
    startAttempt(Edition::Difference, 1);
    time.advance(50 + frm->state().startMonotonicMs - time.monotonicMs());
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::ShiftModifier, QStringLiteral(" "));
    QApplication::sendEvent(ui<QComboBox>("CBCas"), &press);
    EXPECT_EQ(frm->frmLED()->rowTimes()[0], QStringLiteral("0,050"));
    EXPECT_TRUE(frm->frmLED()->isStartBannerShown()) << "the difference edition keeps the banner";
    EXPECT_FALSE(ui<QComboBox>("CBCas")->view()->isVisible())
        << "the space bar must not open the list";
    QApplication::sendEvent(frm->frmLED(), &press);
    EXPECT_FALSE(frm->frmLED()->rowTimes()[1].isEmpty());
}

TEST_F(Splits, NoSplitWhileTheClockStands) {
    greet(458, 0x51);
    frm->FormKeyDown(Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(frm->frmLED()->rowTimes()[0], QString());
    EXPECT_TRUE(companion.sent.empty());
}

// A key typed into an edit box belongs to that box alone, whatever the modifiers; a key the
// box leaves unused (Ctrl+Space) must not travel on to the window and take a split.
TEST_F(Splits, ASpaceTypedIntoAnEditBoxTakesNoSplit) {
    startAttempt(Edition::Difference, 0);
    ui<QLineEdit>("edtM0")->setFocus();
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier,
          Qt::KeyboardModifiers(Qt::AltModifier), Qt::KeyboardModifiers(Qt::MetaModifier)}) {
        SCOPED_TRACE(modifiers.toInt());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, modifiers, QStringLiteral(" "));
        QApplication::sendEvent(ui<QLineEdit>("edtM0"), &press);
        EXPECT_EQ(boardTimes(), QStringList(4, QString()));
        EXPECT_TRUE(companion.sent.empty());
    }
}
