// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serial_port.h"
#include "stamped_byte.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace zorvat {

// What a serial port's reader thread hands to the user-interface thread: the bytes it read,
// stamped as they arrive, and the loss of the line. Each opening is a generation of its own;
// calls still queued for an earlier one do nothing.
class ReaderHandoff {
public:
    // For the port's user, on the user-interface thread: onReceived once per batch of
    // arrivals; once the line is gone, the port closed and then onLost.
    explicit ReaderHandoff(SerialPort& port);

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

    SerialPort& port_;
    unsigned generation_ = 0;
    QObject notifier_; // lives on the user-interface thread; queued calls land there
    std::mutex mutex_;
    std::vector<StampedByte> waiting_;
    std::atomic<bool> notifyPending_{false};
};

} // namespace zorvat
