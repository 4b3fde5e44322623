// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtual_time.h"

#include <algorithm>
#include <limits>

namespace zorvat {

struct VirtualTime::Entry {
    int interval;
    std::function<void()> onTimeout;
    bool enabled = false;
    qint64 due = 0;
};

class VirtualTimer final : public Timer {
public:
    VirtualTimer(VirtualTime& owner, VirtualTime::Entry* e) : owner_(owner), e_(e) {}
    ~VirtualTimer() override { owner_.forget(e_); }
    void setEnabled(bool on) override {
        if (on && !e_->enabled)
            e_->due = owner_.nowMs_ + std::max(1, e_->interval);
        e_->enabled = on;
    }
    bool isEnabled() const override { return e_->enabled; }
    int interval() const override { return e_->interval; }

private:
    VirtualTime& owner_;
    VirtualTime::Entry* e_;
};

VirtualTime::VirtualTime(QDateTime start) : start_(std::move(start)) {}

VirtualTime::~VirtualTime() {
    for (Entry* e : entries_)
        delete e;
}

QDateTime VirtualTime::now() const {
    return start_.addMSecs(nowMs_);
}

std::unique_ptr<Timer> VirtualTime::create(int intervalMs, std::function<void()> onTimeout) {
    auto* e = new Entry{intervalMs, std::move(onTimeout)};
    entries_.push_back(e);
    return std::make_unique<VirtualTimer>(*this, e);
}

int VirtualTime::enabledTimers() const {
    return static_cast<int>(
        std::ranges::count_if(entries_, [](const Entry* e) { return e->enabled; }));
}

void VirtualTime::forget(Entry* e) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), e), entries_.end());
    delete e;
}

void VirtualTime::advance(qint64 ms) {
    run(ms, 0, nullptr);
}

void VirtualTime::advanceCollapsing(qint64 ms, int intervalMs,
                                    const std::function<bool()>& collapsible) {
    run(ms, intervalMs, &collapsible);
}

void VirtualTime::run(qint64 ms, int collapseIntervalMs, const std::function<bool()>* collapsible) {
    const qint64 end = nowMs_ + ms;
    qint64 declinedUntil = std::numeric_limits<qint64>::min();
    while (!held_) {
        Entry* next = nullptr;
        qint64 due = std::numeric_limits<qint64>::max();
        for (Entry* e : entries_) {
            if (e->enabled && e->due < due) {
                due = e->due;
                next = e;
            }
        }
        if (!next || due > end)
            break;
        if (collapsible && next->interval == collapseIntervalMs) {
            // The ticks before any other timer's, which keeps its place among them.
            qint64 last = end;
            for (const Entry* e : entries_)
                if (e != next && e->enabled)
                    last = std::min(last, e->due - 1);
            const qint64 step = std::max(1, next->interval);
            const qint64 ticks = last < due ? 0 : (last - due) / step + 1;
            if (ticks > 2 && due > declinedUntil) {
                if ((*collapsible)()) {
                    next->due += (ticks - 2) * step;
                    continue;
                }
                declinedUntil = last; // asked once per stretch
            }
        }
        nowMs_ = std::max(nowMs_, due); // a sleep may have passed it already
        next->due += std::max(1, next->interval);
        // Ticks missed while the thread slept are not made up, as with a real timer.
        if (next->due <= nowMs_)
            next->due = nowMs_ + std::max(1, next->interval);
        // A handler may disable, re-enable or destroy timers; the loop re-scans each time.
        auto handler = next->onTimeout;
        handler();
    }
    nowMs_ = std::max(nowMs_, end);
}

} // namespace zorvat
