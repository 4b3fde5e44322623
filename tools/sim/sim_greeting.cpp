// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_greeting.h"

#include "sim_hex.h"

#include <algorithm>

namespace zorvat::sim {

namespace {

bool isCourseCode(int code) {
    return code == 1 || code == 2 || code == 3 || code == 4 || code == 0x0A || code == 0x0C;
}

bool isBcd(std::uint8_t byte) {
    return (byte >> 4) <= 9 && (byte & 0x0F) <= 9;
}

} // namespace

bool isFirmwareVersion(int version) {
    return std::ranges::find(kFirmwareVersions, version) != kFirmwareVersions.end();
}

bool sendsStoredLayout(int version) {
    return version >= 466;
}

std::uint8_t defaultTarget(int version) {
    return version == 467 ? 0x05 : 0xA1;
}

std::string greetingProblem(const Greeting& greeting) {
    if (!isFirmwareVersion(greeting.version))
        return "unknown firmware version " + std::to_string(greeting.version);
    if (!isCourseCode(greeting.mode & 0x0F))
        return "mode " + hexString({greeting.mode}) + " has no course code (1, 2, 3, 4, A or C)";
    if (greeting.version == 467) {
        if (!isBcd(greeting.target))
            return "target " + hexString({greeting.target}) +
                   " is not two BCD digits (version 467 sends the minutes there)";
    } else if (greeting.target != 0xA1 && greeting.target != 0xA2) {
        return "target " + hexString({greeting.target}) + " is neither A1 nor A2";
    }
    if (greeting.timeFlag != 0xAE && greeting.timeFlag != 0xAC)
        return "time flag " + hexString({greeting.timeFlag}) + " is neither AE nor AC";
    return {};
}

std::vector<std::uint8_t> greetingBytes(const Greeting& greeting) {
    std::uint8_t mode = greeting.mode;
    std::uint8_t target = greeting.target;
    if (!sendsStoredLayout(greeting.version)) {
        mode = static_cast<std::uint8_t>((mode << 4) | (mode >> 4));
        target &= 0x0F;
    }
    return {0x00, mode, target, greeting.timeFlag, kResetCommand};
}

} // namespace zorvat::sim
