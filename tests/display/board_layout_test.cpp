// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_layout.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

namespace zorvat {
namespace {

// One pixel per character and point, two pixels of line height per point: every figure
// below can be worked out by hand.
TextSize fakeMeasure(const QString& text, int pt) {
    return {static_cast<int>(text.size()) * pt, 2 * pt};
}

struct LayoutCase {
    const char* what;
    int W, H;
    QString team, caption;
    BoardLayout expected;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.what;
}

class BoardLayoutTable : public testing::TestWithParam<LayoutCase> {};

TEST_P(BoardLayoutTable, FindsFontAndColumns) {
    const LayoutCase& c = GetParam();
    const BoardLayout l = computeBoardLayout(c.W, c.H, c.team, c.caption, fakeMeasure);
    EXPECT_EQ(l.teamPt, c.expected.teamPt);
    EXPECT_EQ(l.hS, c.expected.hS);
    EXPECT_EQ(l.f, c.expected.f);
    EXPECT_EQ(l.wC, c.expected.wC);
    EXPECT_EQ(l.wT, c.expected.wT);
    EXPECT_EQ(l.hR, c.expected.hR);
}

const QString k25 = QString(25, QLatin1Char('T'));
const QString k26 = QString(26, QLatin1Char('T'));

// Height-bound at 462 x 328: a quarter of 328-25-140-80 is 20, so 10 pt (20 px) still fits
// and 11 pt stops. Width-bound at 200 wide with 3 caption characters: 17 pt takes exactly
// 170 = 200-30 and fits, 18 pt stops.
INSTANTIATE_TEST_SUITE_P(
    Cases, BoardLayoutTable,
    testing::Values(
        LayoutCase{"height bound", 462, 328, "", "Sání", {70, 140, 7, 28, 49, 14}},
        LayoutCase{"width bound", 200, 1000, "", "abc", {70, 140, 14, 42, 98, 28}},
        LayoutCase{"25-char team at 70 pt", 462, 328, k25, "Sání", {70, 140, 7, 28, 49, 14}},
        LayoutCase{"26-char team at 35 pt", 462, 328, k26, "Sání", {35, 70, 16, 64, 112, 32}},
        LayoutCase{"empty caption is a space", 462, 328, "Tým", "", {70, 140, 7, 7, 49, 14}},
        LayoutCase{"too small for 1 pt", 10, 10, "", "abc", {70, 140, 1, 3, 7, 2}},
        LayoutCase{"negative size", -5, -5, "", "", {70, 140, 1, 1, 7, 2}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(BoardLayout, EmptyTextsAreMeasuredAsOneSpace) {
    QStringList asked;
    const auto recording = [&](const QString& text, int pt) {
        asked << text;
        return fakeMeasure(text, pt);
    };
    computeBoardLayout(462, 328, QString(), QString(), recording);
    EXPECT_FALSE(asked.contains(QString()));
    EXPECT_TRUE(asked.contains(QStringLiteral(" ")));
    EXPECT_TRUE(asked.contains(kWidestTime));
}

// Once one limit holds the rows, growing the window along the other axis changes nothing.
TEST(BoardLayout, GrowingAlongTheFreeAxisKeepsTheFont) {
    for (const int W : {462, 1000, 3840, 100000})
        EXPECT_EQ(computeBoardLayout(W, 328, "", "Sání", fakeMeasure).f, 7) << W;
    for (const int H : {1000, 2160, 10000, 100000})
        EXPECT_EQ(computeBoardLayout(200, H, "", "abc", fakeMeasure).f, 14) << H;
}

TEST(BoardLayout, HugeWindowStopsAtTheLargestSize) {
    int calls = 0;
    const auto counting = [&](const QString& text, int pt) {
        ++calls;
        return fakeMeasure(text, pt);
    };
    const BoardLayout l = computeBoardLayout(1'000'000'000, 1'000'000'000, "", "a", counting);
    EXPECT_EQ(l.f, kLargestRowPoints - 3);
    EXPECT_LE(calls, 2 * kLargestRowPoints + 3);
}

struct CaptionCase {
    QString m0, m1, m2, mr, longest;
};

TEST(BoardLayout, LongestCaptionByCharactersFirstOnTies) {
    const CaptionCase cases[] = {
        {"a", "bb", "cc", "d", "bb"},
        {"", "", "", "", ""},
        {"", "", "", "xyz", "xyz"},
        // Four characters, six bytes in UTF-8.
        {"Sání", "abcde", "", "", "abcde"},
        {"abc", "Sání", "", "", "Sání"},
    };
    for (const CaptionCase& c : cases)
        EXPECT_EQ(longestCaption(c.m0, c.m1, c.m2, c.mr), c.longest) << c.m0.toStdString();
}

} // namespace
} // namespace zorvat
