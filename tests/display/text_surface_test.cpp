// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_printers.h"
#include "text_strip.h"
#include "time_surface.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <gtest/gtest.h>

namespace zorvat {
namespace {

TEST(TimeSurface, TimeEndsNearTheRightEdgeWhateverItsLength) {
    const std::pair<int, int> cases[] = {{4, 139}, {5, 114}, {6, 89}, {7, 64}};
    for (const auto& [n, left] : cases)
        EXPECT_EQ(timeTextLeft(n), left) << n;
}

// Columns holding pixels of the given colour, as (first, last); (-1, -1) when none.
std::pair<int, int> columnsOf(const QImage& img, bool (*isColour)(QRgb)) {
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y)
            if (isColour(img.pixel(x, y))) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

bool isRed(QRgb c) {
    return qRed(c) > 128 && qGreen(c) < 64 && qBlue(c) < 64;
}
bool isAqua(QRgb c) {
    return qRed(c) < 64 && qGreen(c) > 128 && qBlue(c) > 128;
}
bool isBlack(QRgb c) {
    return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0;
}

TEST(TimeSurface, DrawsTheTimeInRedOnBlack) {
    QWidget window;
    TimeSurface surface(&window);
    surface.resize(0, 57);
    EXPECT_FALSE(surface.canDraw());
    surface.setGeometry(8, 25, 227, 57);
    EXPECT_TRUE(surface.canDraw());
    window.show();

    for (const QString& text : {QStringLiteral("0,00"), QStringLiteral("123,450")}) {
        surface.drawFrame(text);
        EXPECT_EQ(surface.frameText(), text);
        EXPECT_EQ(surface.frameLeft(), timeTextLeft(static_cast<int>(text.size())));
        const QImage img = surface.grab().toImage();
        const auto [first, last] = columnsOf(img, isRed);
        EXPECT_GE(first, surface.frameLeft());
        EXPECT_LE(first, surface.frameLeft() + 6);
        // The text ends close to the right edge and is not cut by it.
        EXPECT_GT(last, 200);
        EXPECT_LT(last, 227);
        EXPECT_TRUE(isBlack(img.pixel(2, 2)));
    }
}

TEST(TextStrip, DrawsFromTheGivenLeftAndClearsThePreviousFrame) {
    QWidget window;
    TextStrip strip(&window);
    strip.setGeometry(0, 0, 400, 80);
    window.show();
    strip.drawFrame(QStringLiteral("AAAA"), 100);
    const auto [first, last] = columnsOf(strip.grab().toImage(), isAqua);
    EXPECT_GE(first, 100);
    EXPECT_LE(first, 106);
    EXPECT_GT(last, 150);

    strip.drawFrame(QString(), 0);
    EXPECT_EQ(columnsOf(strip.grab().toImage(), isAqua), std::make_pair(-1, -1));
}

// Each step repaints only where the text was and is: what is on screen must still be exactly
// one copy of the text, at its newest place, wherever it has run.
TEST(TextStrip, StepsLeaveNoTraceOnScreen) {
    QWidget window;
    window.resize(400, 80);
    TextStrip strip(&window);
    strip.setGeometry(0, 0, 400, 80);
    window.show();
    QApplication::processEvents();
    const auto onScreen = [&] {
        QApplication::processEvents();
        return columnsOf(window.screen()->grabWindow(window.winId()).toImage(), isAqua);
    };
    const QString text = QStringLiteral("AAAA");
    strip.drawFrame(text, 200);
    const auto [first, last] = onScreen();
    ASSERT_GE(first, 200);
    ASSERT_LT(last, 399) << "the whole text on the strip";
    const int width = last - 200;
    for (int left = 199; left >= 40; --left)
        strip.drawFrame(text, left);
    // Painted once per event-loop turn, as the frame tick runs; and again step by step.
    EXPECT_EQ(onScreen(), std::make_pair(first - 160, last - 160));
    for (int left = 39; left >= -400; left -= 7) {
        strip.drawFrame(text, left);
        const auto [f, l] = onScreen();
        if (left + width < 0)
            EXPECT_EQ(f, -1) << left;
        else
            EXPECT_EQ(l, left + width) << left;
    }
    strip.drawFrame(text, 380);
    EXPECT_EQ(onScreen(), std::make_pair(first + 180, 399)) << "back at the right edge, cut by it";
}

} // namespace
} // namespace zorvat
