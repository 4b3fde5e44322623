// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <cstdint>

namespace zorvat {

// One byte from the device with the moment it was read off the line: monotonic milliseconds
// for elapsed times, wall-clock milliseconds since the epoch for the record.
struct StampedByte {
    std::uint8_t value = 0;
    qint64 monotonicMs = 0;
    qint64 wallMs = 0;
    bool operator==(const StampedByte&) const = default;
};

} // namespace zorvat
