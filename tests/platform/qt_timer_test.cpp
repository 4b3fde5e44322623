// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_timer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace zorvat;

namespace {

// Runs the event loop for about ms milliseconds.
void pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

TEST(QtTimers, EnablingARunningTimerKeepsItsRhythm) {
    QtTimerFactory timers;
    int fired = 0;
    auto t = timers.create(200, [&] { ++fired; });
    t->setEnabled(true);
    pump(120);
    t->setEnabled(true); // must not restart the 200 ms
    pump(140);
    EXPECT_EQ(fired, 1);
    t->setEnabled(false);
    EXPECT_FALSE(t->isEnabled());
}

TEST(QtTimers, HeldTimersRunOnceAfterReleaseFromTheEventLoop) {
    QtTimerFactory timers;
    int fired = 0;
    auto t = timers.create(5, [&] { ++fired; });
    t->setEnabled(true);
    timers.setHeld(true);
    pump(60); // several ticks come due
    EXPECT_EQ(fired, 0);
    timers.setHeld(false);
    EXPECT_EQ(fired, 0) << "not inside the code that released the hold";
    QCoreApplication::processEvents();
    EXPECT_GE(fired, 1);
    EXPECT_LE(fired, 2) << "the missed ticks are not made up";
}

TEST(QtTimers, AHeldTickOfATimerDisabledMeanwhileIsDropped) {
    QtTimerFactory timers;
    int fired = 0;
    auto t = timers.create(5, [&] { ++fired; });
    t->setEnabled(true);
    timers.setHeld(true);
    pump(30);
    t->setEnabled(false);
    timers.setHeld(false);
    pump(20);
    EXPECT_EQ(fired, 0);
}
