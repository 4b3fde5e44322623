// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace zorvat {

struct TextSize {
    int width;
    int height;
};

// The size of one line of text in bold Arial at a point size.
using MeasureText = std::function<TextSize(const QString& text, int pointSize)>;

// Where the board's parts go for one window size and set of texts.
struct BoardLayout {
    int teamPt; // font size of the team name row
    int hS;     // height of the team name row
    int f;      // font size of the four rows, never below 1
    int wC;     // width of the caption column
    int wT;     // width of the time column ("000,000")
    int hR;     // height of one row
};

// The largest row font size the search tries; beyond it a window counts as full, so a huge
// window cannot keep the search going.
inline constexpr int kLargestRowPoints = 2000;

// The time that sets the width of the time column.
inline const QString kWidestTime = QStringLiteral("000,000");

// Lays out a board window of outer size W x H. The row font is four points below the first
// size at which a time and the longest caption no longer fit side by side, or a row no longer
// fits a quarter of the height left below the team name. A window too small even for 1 point
// gets rows at 1 point, cut at the window's edges. Empty texts are measured as one space.
BoardLayout computeBoardLayout(int W, int H, const QString& teamName, const QString& longestCaption,
                               const MeasureText& measure);

// The caption with the most characters; of equally long ones the first.
QString longestCaption(const QString& m0, const QString& m1, const QString& m2, const QString& mr);

} // namespace zorvat
