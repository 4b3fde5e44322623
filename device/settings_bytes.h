// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace zorvat {

// The three settings bytes the device reports: mode, target, time flag (index 0..2).
using SettingsBytes = std::array<std::uint8_t, 3>;

// Bits 0-2 of the mode byte: how many times end an attempt.
inline int timeCount(std::uint8_t mode) {
    return mode & 0x07;
}

// Bit 3 of the mode byte: the attack courses.
inline bool attackFlag(std::uint8_t mode) {
    return (mode & 0x08) != 0;
}

// Older firmware sends the mode byte with its nibbles exchanged and the target byte without
// bits 5 and 7; this brings such a greeting into the common layout.
inline void convertOlderGreeting(SettingsBytes& nast) {
    nast[0] = static_cast<std::uint8_t>((nast[0] << 4) | (nast[0] >> 4));
    nast[1] |= 0xA0;
}

} // namespace zorvat
