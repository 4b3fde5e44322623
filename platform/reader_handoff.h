// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stamped_byte.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace zorvat {

// What a serial port's reader thread hands to the user-interface thread: the bytes it read,
// stamped as they arrive, and the loss of the line. Each opening is a generation of its own;
// calls still queued for an earlier one do nothing.
class ReaderHandoff {
public:
    // Both run on the user-interface thread: received once per batch of arrivals, lost once
    // when the line is gone.
    ReaderHandoff(std::function<void()> received, std::function<void(const QString&)> lost);

    // User-interface thread: a new opening, whose generation its reader thread is given; the
    // end of an opening, whose bytes not yet taken are dropped; the bytes waiting.
    unsigned opened();
    void closed();
    std::vector<StampedByte> take();

    // Reader thread.
    void arrived(const std::uint8_t* bytes, std::size_t count, unsigned generation);
    void lineLost(unsigned generation, const QString& reason);

private:
    void post(unsigned generation, bool lost, const QString& reason);

    std::function<void()> received_;
    std::function<void(const QString&)> lost_;
    unsigned generation_ = 0;
    QObject notifier_; // lives on the user-interface thread; queued calls land there
    std::mutex mutex_;
    std::vector<StampedByte> waiting_;
    std::atomic<bool> notifyPending_{false};
};

} // namespace zorvat
