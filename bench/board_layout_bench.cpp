// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the board's layout at common window sizes, and of one frame on the moving-text
// strip and on the time surface.
#include "text_strip.h"
#include "tfrmled.h"
#include "time_surface.h"
#include "virtual_time.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

using namespace zorvat;

namespace {

double microsecondsPerRun(int runs, const std::function<void()>& run) {
    run(); // caches and first paint out of the figure
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < runs; ++i)
        run();
    return clock.nsecsElapsed() / 1000.0 / runs;
}

// Median and 99th percentile of single runs, in microseconds.
std::pair<double, double> microsecondsSpread(int runs, const std::function<void()>& run) {
    run();
    std::vector<double> us(static_cast<std::size_t>(runs));
    QElapsedTimer clock;
    for (double& u : us) {
        clock.start();
        run();
        u = clock.nsecsElapsed() / 1000.0;
    }
    std::sort(us.begin(), us.end());
    return {us[us.size() / 2], us[us.size() * 99 / 100]};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    VirtualTime time{QDateTime(QDate(2024, 5, 1), QTime(10, 0))};

    TfrmLED board(nullptr, time);
    // Typing in a caption box brings a new text to measure at every layout.
    int typed = 0;
    bool typing = false;
    board.boardTexts = [&] {
        const QString m2 =
            typing ? QStringLiteral("Levý terč %1").arg(++typed) : QStringLiteral("Levý terč 0");
        return BoardTexts{"SDH Horní Dolní", "Sání", "Koš", m2, "Rozdíl"};
    };
    board.lblCas0->setText(QStringLiteral("12,34"));
    board.lblCas1->setText(QStringLiteral("23,45"));
    board.show();
    // Painting waits for the window to be exposed.
    QApplication::processEvents();

    const int runs = 200;
    for (const QSize size : {QSize(462, 328), QSize(1920, 1080), QSize(3840, 2160)}) {
        board.resize(size);
        typing = false;
        const double resizing = microsecondsPerRun(runs, [&] { board.PrekresliLED(); });
        const int f = board.lblM0->font().pointSize();
        typing = true;
        const double keystroke = microsecondsPerRun(runs, [&] { board.PrekresliLED(); });
        std::printf("PrekresliLED %4dx%-4d  f = %3d pt  %8.1f us same texts, %8.1f us new "
                    "caption (%d runs)\n",
                    size.width(), size.height(), f, resizing, keystroke, runs);
    }

    board.resize(1920, 1080);
    board.startMovingText(QStringLiteral("Vítejte na soutěži v požárním sportu"));
    const double step = microsecondsPerRun(runs, [&] { board.movingTextStep(); });
    std::printf("movingTextStep          %8.1f us per step\n", step);
    // Frames as the program shows them: a step, then the paint it scheduled. A whole run of
    // the text across the strip, and beyond.
    const auto [median, p99] = microsecondsSpread(4000, [&] {
        board.movingTextStep();
        QApplication::processEvents();
    });
    std::printf("moving text frame       %8.1f us median, %8.1f us p99 (1920 wide, 4000 frames)\n",
                median, p99);

    QWidget window;
    TimeSurface surface(&window);
    surface.setGeometry(8, 25, 227, 57);
    window.show();
    QApplication::processEvents();
    const double frame = microsecondsPerRun(runs, [&] {
        surface.drawFrame(QStringLiteral("123,450"));
        surface.repaint();
    });
    std::printf("TimeSurface::drawFrame  %8.1f us per frame with repaint\n", frame);
    return 0;
}
