// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace zorvat::sim {

// Command byte that precedes a time.
inline constexpr std::uint8_t kTimeCommand = 0xBA;

// Data bytes after BA: 3 for 454, 457, 462 and 463, 4 for the others.
int timeByteCount(int version);

// 458 and 466 onwards give the channel code a byte of its own; older versions share the first
// byte between the code and the hundreds of seconds.
bool hasWholeByteCode(int version);

// The data bytes of one time in the version's layout. The three-byte layouts end with the
// hundredths; the thousandths are cut off there, not rounded, as a stopwatch does, so a time
// shown never runs ahead of the one measured. Throws std::out_of_range for times outside
// 0..999.999 s or a code the layout cannot carry.
std::vector<std::uint8_t> encodeTime(int version, int code, std::chrono::milliseconds time);

// BA followed by encodeTime().
std::vector<std::uint8_t> timeCommand(int version, int code, std::chrono::milliseconds time);

} // namespace zorvat::sim
