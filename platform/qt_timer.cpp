// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_timer.h"

#include <QTimer>
#include <vector>

namespace zorvat {

class QtTimer;

struct QtTimerFactory::Shared {
    bool held = false;
    std::vector<QtTimer*> timers;
};

class QtTimer final : public Timer {
public:
    QtTimer(std::shared_ptr<QtTimerFactory::Shared> shared, int intervalMs,
            std::function<void()> onTimeout)
        : shared_(std::move(shared)), onTimeout_(std::move(onTimeout)) {
        timer_.setInterval(intervalMs);
        timer_.setTimerType(intervalMs < 20 ? Qt::PreciseTimer : Qt::CoarseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
        shared_->timers.push_back(this);
    }
    ~QtTimer() override { std::erase(shared_->timers, this); }

    void setEnabled(bool on) override {
        if (on && !timer_.isActive())
            timer_.start();
        else if (!on) {
            timer_.stop();
            pending_ = false;
        }
    }
    bool isEnabled() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

    void fire() {
        if (shared_->held) {
            pending_ = true;
            return;
        }
        onTimeout_();
    }
    // The tick that came due during the hold runs from the event loop, once the code that
    // held the timers has returned, never inside it.
    void postPending() {
        if (!pending_)
            return;
        pending_ = false;
        QMetaObject::invokeMethod(
            &timer_,
            [this] {
                if (timer_.isActive())
                    fire();
            },
            Qt::QueuedConnection);
    }

private:
    std::shared_ptr<QtTimerFactory::Shared> shared_;
    std::function<void()> onTimeout_;
    QTimer timer_;
    bool pending_ = false;
};

QtTimerFactory::QtTimerFactory() : shared_(std::make_shared<Shared>()) {}

QtTimerFactory::~QtTimerFactory() = default;

std::unique_ptr<Timer> QtTimerFactory::create(int intervalMs, std::function<void()> onTimeout) {
    return std::make_unique<QtTimer>(shared_, intervalMs, std::move(onTimeout));
}

bool QtTimerFactory::isHeld() const {
    return shared_->held;
}

void QtTimerFactory::setHeld(bool held) {
    shared_->held = held;
    if (!held) {
        for (QtTimer* t : shared_->timers)
            t->postPending();
    }
}

} // namespace zorvat
