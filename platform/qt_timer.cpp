#include "qt_timer.h"

#include <QTimer>

namespace zorvat {

namespace {

class QtTimer final : public Timer {
public:
    QtTimer(int intervalMs, std::function<void()> onTimeout) {
        timer_.setInterval(intervalMs);
        timer_.setTimerType(intervalMs < 20 ? Qt::PreciseTimer : Qt::CoarseTimer);
        QObject::connect(&timer_, &QTimer::timeout, std::move(onTimeout));
    }
    void setEnabled(bool on) override {
        if (on && !timer_.isActive())
            timer_.start();
        else if (!on)
            timer_.stop();
    }
    bool isEnabled() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

private:
    QTimer timer_;
};

} // namespace

std::unique_ptr<Timer> QtTimerFactory::create(int intervalMs, std::function<void()> onTimeout) {
    return std::make_unique<QtTimer>(intervalMs, std::move(onTimeout));
}

} // namespace zorvat
