// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_clock.h"

#include <QThread>
#include <chrono>

namespace zorvat {

qint64 steadyNowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

void SystemClock::sleepMs(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace zorvat
