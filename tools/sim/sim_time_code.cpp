// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_time_code.h"

#include <stdexcept>
#include <string>

namespace zorvat::sim {

namespace {

std::uint8_t digits(long high, long low) {
    return static_cast<std::uint8_t>((high << 4) | low);
}

} // namespace

int timeByteCount(int version) {
    return version == 454 || version == 457 || version == 462 || version == 463 ? 3 : 4;
}

bool hasWholeByteCode(int version) {
    return version == 458 || version >= 466;
}

std::vector<std::uint8_t> encodeTime(int version, int code, std::chrono::milliseconds time) {
    const long ms = static_cast<long>(time.count());
    if (ms < 0 || ms > 999'999)
        throw std::out_of_range("time " + std::to_string(ms) + " ms does not fit the display");
    const int codeLimit = hasWholeByteCode(version) ? 0xFF : 0x0F;
    if (code < 0 || code > codeLimit)
        throw std::out_of_range("channel code " + std::to_string(code) + " does not fit");

    const long hundreds = ms / 100'000, tens = ms / 10'000 % 10, units = ms / 1'000 % 10;
    const long tenths = ms / 100 % 10, hundredths = ms / 10 % 10, thousandths = ms % 10;
    if (hasWholeByteCode(version))
        return {static_cast<std::uint8_t>(code), digits(hundreds, tens), digits(units, tenths),
                digits(hundredths, thousandths)};
    std::vector<std::uint8_t> bytes = {digits(code, hundreds), digits(tens, units),
                                       digits(tenths, hundredths)};
    // The fourth byte holds the thousandths as a plain number, not as a digit pair.
    if (timeByteCount(version) == 4)
        bytes.push_back(static_cast<std::uint8_t>(thousandths));
    return bytes;
}

std::vector<std::uint8_t> timeCommand(int version, int code, std::chrono::milliseconds time) {
    std::vector<std::uint8_t> bytes = encodeTime(version, code, time);
    bytes.insert(bytes.begin(), kTimeCommand);
    return bytes;
}

} // namespace zorvat::sim
