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
    void firePending() {
        if (pending_ && timer_.isActive()) {
            pending_ = false;
            onTimeout_();
        }
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

void QtTimerFactory::setHeld(bool held) {
    shared_->held = held;
    if (held)
        return;
    // A handler may create or destroy timers; walk a copy and skip the ones gone meanwhile.
    const std::vector<QtTimer*> snapshot = shared_->timers;
    for (QtTimer* t : snapshot) {
        if (std::find(shared_->timers.begin(), shared_->timers.end(), t) != shared_->timers.end())
            t->firePending();
    }
}

} // namespace zorvat
