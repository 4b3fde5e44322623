// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zorvat {

// The device stream's framing: a byte is either a command or one of the data bytes that a
// settings change (0x5A) or time (0xBA) command announced. There is no checksum and no
// resynchronisation; whatever arrives while data are expected is data.
class Framing {
public:
    enum class Kind { Command, SettingsData, TimeData };
    struct Byte {
        Kind kind;
        std::uint8_t index; // 1-based position among the command's data bytes
        bool last;          // the command's last data byte
    };

    static constexpr std::uint8_t kSettingsChange = 0x5A;
    static constexpr std::uint8_t kTime = 0xBA;

    // settingsBytes and timeBytes are the data counts that apply if b announces a command.
    Byte feed(std::uint8_t b, std::uint8_t settingsBytes, std::uint8_t timeBytes);

    bool prik_data = false;
    std::uint8_t inPrikaz = 0;
    std::uint8_t pocetByte = 0;
    std::uint8_t bytu = 0;
};

} // namespace zorvat
