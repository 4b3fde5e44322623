#include "system_clock.h"

#include <QThread>

namespace zorvat {

SystemClock::SystemClock() {
    monotonic_.start();
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

qint64 SystemClock::monotonicMs() const {
    return monotonic_.elapsed();
}

void SystemClock::sleepMs(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace zorvat
