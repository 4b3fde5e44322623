// SPDX-License-Identifier: GPL-3.0-or-later
#include "reader_handoff.h"

#include "system_clock.h"

#include <QDateTime>
#include <utility>

namespace zorvat {

ReaderHandoff::ReaderHandoff(SerialPort& port) : port_(port) {}

unsigned ReaderHandoff::opened() {
    return ++generation_;
}

void ReaderHandoff::closed() {
    // Calls already queued for this opening find a new generation and do nothing.
    ++generation_;
    const std::lock_guard lock(mutex_);
    waiting_.clear();
}

std::vector<StampedByte> ReaderHandoff::take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(waiting_, {});
}

void ReaderHandoff::arrived(const std::uint8_t* bytes, std::size_t count, unsigned generation) {
    const qint64 monotonic = steadyNowMs();
    const qint64 wall = QDateTime::currentMSecsSinceEpoch();
    {
        const std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < count; ++i)
            waiting_.push_back({bytes[i], monotonic, wall});
    }
    if (!notifyPending_.exchange(true))
        post(generation, false, {});
}

void ReaderHandoff::lineLost(unsigned generation, const QString& reason) {
    post(generation, true, reason);
}

void ReaderHandoff::post(unsigned generation, bool lost, const QString& reason) {
    QMetaObject::invokeMethod(
        &notifier_,
        [this, generation, lost, reason] {
            if (!lost)
                notifyPending_ = false;
            if (generation != generation_)
                return;
            if (lost) {
                port_.close();
                if (port_.onLost)
                    port_.onLost(reason);
            } else if (port_.onReceived) {
                port_.onReceived();
            }
        },
        Qt::QueuedConnection);
}

} // namespace zorvat
