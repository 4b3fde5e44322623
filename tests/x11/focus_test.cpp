// SPDX-License-Identifier: GPL-3.0-or-later
// Where the keyboard focus goes during an attempt, with real input: the main window is shown
// on an X server and xdotool clicks and types through XTest, so the keys go wherever the
// server and Qt send the focus.
#include "device_fixture.h"
#include "x11_input.h"

#include <QTest>

using namespace zorvat;

namespace {

class Focus : public Device {
protected:
    // A device of one track, one result in the list from an earlier attempt, and a new
    // attempt running; the main window active on the screen.
    void startAttempt() {
        greet(458, 0x51);
        deviceTime(0x02, 0x01, 0x23, 0x45);
        device({0xAA, 0xAB});
        ASSERT_TRUE(frm->state().t_cas);
        ASSERT_EQ(ui<QComboBox>("CBCas")->count(), 2);
        frm->show();
        frm->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
        ASSERT_EQ(QApplication::focusWidget(), ui<QComboBox>("CBCas"))
            << "the start command's focus";
    }

    int splitsTaken() const { return frm->frmLED()->rowsTaken(); }

    // The space bar pressed on the keyboard takes the next split.
    void expectSpaceTakesASplit() {
        const int before = splitsTaken();
        ASSERT_TRUE(x11::key("space"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return splitsTaken() == before + 1; }))
            << "focus on " << qPrintable(QApplication::focusWidget()->objectName());
    }
};

// Clicking the toggle hides the board and leaves the focus where it was, so the next space
// takes a split instead of showing the board again in front of the spectators.
TEST_F(Focus, TheBoardToggleNeverTakesTheFocus) {
    startAttempt();
    ui<QPushButton>("SB_zobr")->click();
    ASSERT_TRUE(frm->frmLED()->isVisible());
    frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));

    ASSERT_TRUE(x11::click(ui<QPushButton>("SB_zobr")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frm->frmLED()->isVisible(); }));
    EXPECT_NE(QApplication::focusWidget(), ui<QPushButton>("SB_zobr"));
    expectSpaceTakesASplit();
    expectSpaceTakesASplit();
    EXPECT_FALSE(frm->frmLED()->isVisible());
    EXPECT_FALSE(ui<QPushButton>("SB_zobr")->isChecked());

    // Nor can Tab reach it, either way round.
    ui<QLineEdit>("edtM0")->setFocus();
    for (const bool back : {false, true}) {
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
            EXPECT_NE(QApplication::focusWidget(), ui<QPushButton>("SB_zobr"))
                << "Tab " << i << back;
        }
    }
}

// "Vymazat" disables itself once the entry is gone; the focus it had must not pass on to the
// board toggle.
TEST_F(Focus, DeletingAResultLeavesTheSpaceBarToSplits) {
    startAttempt();
    pick(ui<QComboBox>("CBCas"), 1);
    ASSERT_TRUE(ui<QPushButton>("btnDel")->isEnabled());
    ASSERT_TRUE(x11::click(ui<QPushButton>("btnDel")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui<QComboBox>("CBCas")->count() == 1; }));
    EXPECT_FALSE(ui<QPushButton>("btnDel")->isEnabled());
    EXPECT_NE(QApplication::focusWidget(), ui<QPushButton>("SB_zobr"));
    expectSpaceTakesASplit();
    EXPECT_FALSE(frm->frmLED()->isVisible());
}

// A space typed into an edit box belongs to that box alone, with any modifier; only the
// results list passes its keys on.
TEST_F(Focus, ASpaceInAnEditBoxNeverTakesASplit) {
    startAttempt();
    ASSERT_TRUE(x11::click(ui<QLineEdit>("edtM0")));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return QApplication::focusWidget() == ui<QLineEdit>("edtM0"); }));
    for (const char* keys :
         {"space", "shift+space", "ctrl+space", "ctrl+shift+space", "alt+space", "super+space"}) {
        SCOPED_TRACE(keys);
        ui<QLineEdit>("edtM0")->clear();
        // The letter after it shows that the space has been handled.
        ASSERT_TRUE(x11::key(keys) && x11::key("x"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return ui<QLineEdit>("edtM0")->text().endsWith(u'x'); }));
        EXPECT_EQ(splitsTaken(), 0);
    }
    ui<QComboBox>("CBCas")->setFocus();
    expectSpaceTakesASplit();
}

} // namespace
