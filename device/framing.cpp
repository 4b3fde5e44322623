// SPDX-License-Identifier: GPL-3.0-or-later
#include "framing.h"

namespace zorvat {

Framing::Byte Framing::feed(std::uint8_t b, std::uint8_t settingsBytes, std::uint8_t timeBytes) {
    if (prik_data) {
        ++bytu;
        const bool last = bytu >= pocetByte;
        const Kind kind = inPrikaz == kSettingsChange ? Kind::SettingsData : Kind::TimeData;
        const std::uint8_t index = bytu;
        if (last) {
            prik_data = false;
            if (kind == Kind::TimeData)
                bytu = 0;
        }
        return {kind, index, last};
    }
    if (b == kSettingsChange || b == kTime) {
        prik_data = true;
        inPrikaz = b;
        pocetByte = b == kSettingsChange ? settingsBytes : timeBytes;
        bytu = 0;
    }
    return {Kind::Command, 0, false};
}

} // namespace zorvat
