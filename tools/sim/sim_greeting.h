// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zorvat::sim {

// Firmware versions the simulator can play.
inline constexpr std::array<int, 11> kFirmwareVersions = {454, 456, 457, 458, 462, 463,
                                                          466, 467, 468, 469, 470};

// Command byte the device sends when it is reset.
inline constexpr std::uint8_t kResetCommand = 0xAA;

// The device's settings as the program stores them.
struct Greeting {
    int version = 466;
    std::uint8_t mode = 0x51;     // bits 0-3 course, 4-6 minutes, 7 half minute
    std::uint8_t target = 0xA1;   // 0xA1/0xA2; in 467 the preparation minutes in BCD
    std::uint8_t timeFlag = 0xAE; // 0xAE time yes, 0xAC time no
};

bool isFirmwareVersion(int version);

// 466 and later send the greeting as stored; older versions use the older line layout.
bool sendsStoredLayout(int version);

// Target byte used when none is given: 467 puts the preparation minutes there.
std::uint8_t defaultTarget(int version);

// Empty when the device could send these settings, otherwise why not.
std::string greetingProblem(const Greeting& greeting);

// Bytes on the line: lead byte, mode, target, time flag, then a reset, so even the versions for
// which the program waits for five bytes read the greeting at once.
std::vector<std::uint8_t> greetingBytes(const Greeting& greeting);

} // namespace zorvat::sim
