// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_printers.h"
#include "text_strip.h"
#include "tfrmled.h"
#include "virtual_time.h"

#include <gtest/gtest.h>

namespace zorvat {
namespace {

class MovingText : public testing::Test {
protected:
    MovingText() {
        board.resize(462, 328);
        board.show();
    }

    VirtualTime time{QDateTime(QDate(2024, 5, 1), QTime(10, 0))};
    TfrmLED board{nullptr, time};
};

struct RunCase {
    QString text;
    int lowestLeft; // the last frame before the text starts again
};

// The text moves one pixel per step from the strip's right edge to 35 pixels per character
// past its left edge, then starts again at the right edge.
TEST_F(MovingText, RunsLeftAndWraps) {
    const RunCase cases[] = {{"ABCDEFGHIJ", -350}, {"", 0}, {"Ahoj", -140}};
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        board.startMovingText(c.text);
        const int width = board.DXDraw->width();
        ASSERT_EQ(width, board.frameGeometry().width());
        EXPECT_EQ(board.scroll, width);
        EXPECT_FALSE(board.DXDraw->isHidden());
        // One full run and the first frame of the next.
        const int frames = width - c.lowestLeft + 1;
        for (int i = 0; i < frames; ++i) {
            board.movingTextStep();
            ASSERT_EQ(board.DXDraw->frameLeft(), width - i);
            ASSERT_EQ(board.DXDraw->frameText(), c.text);
        }
        EXPECT_EQ(board.scroll, width);
        board.movingTextStep();
        EXPECT_EQ(board.DXDraw->frameLeft(), width);
        EXPECT_EQ(board.scroll, width - 1);
    }
}

TEST_F(MovingText, EditingHidesTheStripAndLeavingRestartsIt) {
    board.startMovingText(QStringLiteral("Posuvný text"));
    board.movingTextStep();
    board.stopMovingText();
    EXPECT_TRUE(board.DXDraw->isHidden());
    board.startMovingText(QStringLiteral("Nový"));
    EXPECT_FALSE(board.DXDraw->isHidden());
    EXPECT_EQ(board.scroll, board.DXDraw->width());
    EXPECT_EQ(board.Scrolly, QStringLiteral("Nový"));
}

// As with a back buffer, the text runs on while the board is hidden; only a strip without
// an area stands still.
TEST_F(MovingText, RunsWhileHiddenStandsWithoutArea) {
    board.startMovingText(QStringLiteral("Nový"));
    const int width = board.DXDraw->width();
    board.hide();
    board.movingTextStep();
    EXPECT_EQ(board.scroll, width - 1);
    board.DXDraw->resize(0, 80);
    board.movingTextStep();
    EXPECT_EQ(board.scroll, width - 1);
}

} // namespace
} // namespace zorvat
