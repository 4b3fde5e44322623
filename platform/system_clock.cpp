#include "system_clock.h"

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

} // namespace zorvat
