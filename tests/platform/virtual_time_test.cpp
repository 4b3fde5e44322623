// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtual_time.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace zorvat {
namespace {

// A frame timer of 16 ms that stops itself once the clock passes a limit, as the running
// time's does, beside a timer of 1 s; what each tick saw is logged.
struct Timers {
    VirtualTime time{QDateTime(QDate(2024, 5, 1), QTime(10, 0))};
    std::vector<std::pair<char, qint64>> log;
    qint64 shown = -1;
    bool running = true;
    std::unique_ptr<Timer> frame = time.create(16, [this] {
        if (running) {
            shown = std::min<qint64>(time.monotonicMs(), 2500);
            running = time.monotonicMs() <= 2500;
        } else {
            frame->setEnabled(false);
        }
        log.emplace_back('f', time.monotonicMs());
    });
    std::unique_ptr<Timer> second =
        time.create(1000, [this] { log.emplace_back('s', time.monotonicMs()); });
    Timers() {
        frame->setEnabled(true);
        second->setEnabled(true);
    }
};

std::vector<qint64> ticks(const Timers& t, char which) {
    std::vector<qint64> at;
    for (const auto& [w, ms] : t.log)
        if (w == which)
            at.push_back(ms);
    return at;
}

TEST(VirtualTime, CollapsedTicksLeaveWhatAllTicksLeave) {
    for (const qint64 wait : {10, 40, 999, 1000, 1001, 2500, 2520, 2540, 7000}) {
        Timers all, collapsed;
        int asked = 0;
        all.time.advance(wait);
        collapsed.time.advanceCollapsing(wait, 16, [&] { return ++asked, true; });
        SCOPED_TRACE(wait);
        EXPECT_EQ(collapsed.shown, all.shown);
        EXPECT_EQ(collapsed.running, all.running);
        EXPECT_EQ(collapsed.frame->isEnabled(), all.frame->isEnabled());
        EXPECT_EQ(ticks(collapsed, 's'), ticks(all, 's'));
        // At most the two ticks before each other timer's and before the end, and one more
        // where both are due in the same millisecond.
        EXPECT_LE(ticks(collapsed, 'f').size(), 3 * (ticks(all, 's').size() + 1));
        // Later ticks fall where they would have.
        all.log.clear();
        collapsed.log.clear();
        all.time.advance(100);
        collapsed.time.advance(100);
        EXPECT_EQ(collapsed.log, all.log);
        EXPECT_LE(asked, static_cast<int>(ticks(all, 's').size()) + 8);
    }
}

TEST(VirtualTime, DeclinedCollapseFiresEveryTick) {
    Timers all, declined;
    int asked = 0;
    all.time.advance(3000);
    declined.time.advanceCollapsing(3000, 16, [&] { return ++asked, false; });
    EXPECT_EQ(declined.log, all.log);
    // Asked once per stretch of more than two ticks between the other timer's, not per tick.
    EXPECT_EQ(asked, 3);
}

} // namespace
} // namespace zorvat
