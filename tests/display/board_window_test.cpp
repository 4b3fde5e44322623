// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_layout.h"
#include "qt_printers.h"
#include "text_strip.h"
#include "tfrmled.h"
#include "ui_fonts.h"
#include "virtual_time.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace zorvat {
namespace {

QFontMetrics boardMetrics(int pt) {
    return QFontMetrics(uiFontPt(QStringLiteral("Arial"), pt, true));
}

class BoardWindow : public testing::Test {
protected:
    BoardWindow() {
        board.boardTexts = [this] { return texts; };
        const QStringList captions{"Sání", "Koš", "Levý terč", "Rozdíl"};
        const QStringList times{"12,34", "23,45", "31,02", "1,17"};
        QLabel* caps[] = {board.lblM0, board.lblM1, board.lblM2, board.lblMR};
        QLabel* tims[] = {board.lblCas0, board.lblCas1, board.lblCas2, board.lblCas3};
        for (int i = 0; i < 4; ++i) {
            caps[i]->setText(captions[i]);
            tims[i]->setText(times[i]);
        }
    }

    VirtualTime time{QDateTime(QDate(2024, 5, 1), QTime(10, 0))};
    TfrmLED board{nullptr, time};
    BoardTexts texts{"SDH Horní Dolní", "Sání", "Koš", "Levý terč", "Rozdíl"};
};

class BoardSizes : public BoardWindow, public testing::WithParamInterface<QSize> {};

// Places are checked against the real fonts: rows at f + 3 points still fit, rows at f + 4
// do not.
TEST_P(BoardSizes, PlacesRowsBannerAndStrip) {
    const QSize size = GetParam();
    board.resize(size);
    board.PrekresliLED();
    const int W = size.width(), H = size.height();

    const int hS = boardMetrics(70).height();
    EXPECT_EQ(board.lblSDH->geometry(), QRect(0, 0, W, hS));
    EXPECT_EQ(board.lblSDH->text(), texts.team);
    EXPECT_FALSE(board.lblSDH->isHidden());
    EXPECT_EQ(board.lblSDH->font().pointSize(), 70);
    EXPECT_EQ(board.pnlStart->geometry(), QRect(0, hS, W, 120));

    const int f = board.lblM0->font().pointSize();
    const auto fits = [&](int pt) {
        const QFontMetrics fm = boardMetrics(pt);
        return fm.horizontalAdvance(kWidestTime) + fm.horizontalAdvance(texts.m2) <= W - 30 &&
               (H - 25 - hS - 80) / 4 >= fm.height();
    };
    EXPECT_TRUE(fits(f + 3));
    EXPECT_FALSE(fits(f + 4));

    const QFontMetrics fm = boardMetrics(f);
    const int wC = fm.horizontalAdvance(texts.m2), wT = fm.horizontalAdvance(kWidestTime);
    const int hR = fm.height();
    QLabel* caps[] = {board.lblM0, board.lblM1, board.lblM2, board.lblMR};
    QLabel* tims[] = {board.lblCas0, board.lblCas1, board.lblCas2, board.lblCas3};
    const QStringList times{"12,34", "23,45", "31,02", "1,17"};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(caps[k]->geometry(), QRect(10, hS + k * hR, wC, hR));
        EXPECT_EQ(tims[k]->geometry(), QRect(wC + 20, hS + k * hR, wT, hR));
        EXPECT_EQ(tims[k]->font().pointSize(), f);
        EXPECT_EQ(tims[k]->text(), times[k]);
        EXPECT_FALSE(caps[k]->isHidden());
        EXPECT_FALSE(tims[k]->isHidden());
    }
    EXPECT_EQ(board.lblM2->text(), QStringLiteral("Levý terč"));
    EXPECT_EQ(board.DXDraw->geometry(), QRect(0, hS + 4 * hR, W, 80));
    EXPECT_EQ(board.lblpom->text(), texts.m2);
    EXPECT_TRUE(board.lblpom->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Sizes, BoardSizes, testing::Values(QSize(462, 328), QSize(1920, 1080)),
                         [](const auto& info) {
                             return std::to_string(info.param.width()) + "x" +
                                    std::to_string(info.param.height());
                         });

TEST_F(BoardWindow, LongTeamNameGetsTheSmallRow) {
    texts.team = QString(26, QLatin1Char('X'));
    board.resize(462, 328);
    board.PrekresliLED();
    EXPECT_EQ(board.lblSDH->font().pointSize(), 35);
    EXPECT_EQ(board.lblSDH->height(), boardMetrics(35).height());
    EXPECT_EQ(board.lblM0->y(), boardMetrics(35).height());
}

TEST_F(BoardWindow, ShowsTypedMarkupAsTyped) {
    texts.team = QStringLiteral("<b>SDH</b> <i>");
    board.resize(1200, 800);
    board.PrekresliLED();
    // As markup it would show "SDH " alone, far narrower.
    EXPECT_GE(board.lblSDH->sizeHint().width(),
              boardMetrics(board.lblSDH->font().pointSize()).horizontalAdvance(texts.team));
}

TEST_F(BoardWindow, ResizingLaysOutAgain) {
    board.resize(462, 328);
    board.show();
    const int smallFont = board.lblM0->font().pointSize();
    // The board spans the outer width, frame included.
    EXPECT_EQ(board.DXDraw->width(), board.frameGeometry().width());
    board.resize(1200, 900);
    EXPECT_EQ(board.DXDraw->width(), board.frameGeometry().width());
    EXPECT_EQ(board.lblSDH->width(), board.frameGeometry().width());
    EXPECT_GE(board.lblSDH->width(), 1200);
    EXPECT_GT(board.lblM0->font().pointSize(), smallFont);
}

TEST_F(BoardWindow, ForwardsEveryKey) {
    std::vector<std::pair<int, Qt::KeyboardModifiers>> got;
    board.forwardKey = [&](const QKeyEvent& e) { got.emplace_back(e.key(), e.modifiers()); };
    const std::pair<int, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Space, Qt::NoModifier},
                                                          {Qt::Key_A, Qt::ShiftModifier},
                                                          {Qt::Key_F2, Qt::ControlModifier}};
    for (const auto& [key, mods] : keys) {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(&board, &e);
    }
    ASSERT_EQ(got.size(), 3u);
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i], keys[i]);
}

TEST_F(BoardWindow, CloseHidesAndTellsTheMainWindow) {
    int closed = 0;
    board.closedByUser = [&] { ++closed; };
    board.show();
    board.close();
    EXPECT_TRUE(board.isHidden());
    EXPECT_EQ(closed, 1);
    board.show();
    EXPECT_TRUE(board.isVisible());
}

} // namespace
} // namespace zorvat
