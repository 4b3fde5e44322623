// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

#include <array>
#include <cstdint>

namespace zorvat {

// One entry of the version list, in list order.
struct VersionRow {
    const char* text;
    int verze;
    std::uint8_t BCas;        // data bytes of one device time
    std::uint8_t pocetB_Uvod; // bytes waiting before the greeting is read
    int maxTime;              // longest running time shown, in ms
    const char* formatU;      // attack result format
    const char* formatS;      // track result format
};

const std::array<VersionRow, 9>& versionTable();

// List position that selecting verze asks for: its row, or 9 and 10 for 469 and 470 in the
// difference edition (past the end of the list, so nothing ends up selected); -1 when the
// number is unknown and the selection should stay as it is.
int versionListPosition(int verze, Edition edition);

// Versions whose greeting comes in the current layout and that report the time flag.
bool isNewGreetingVersion(int verze, Edition edition);

// Versions whose time carries the channel code in the whole first byte.
bool isWholeByteCodeVersion(int verze, Edition edition);

// Versions for which the timekeeper may choose between hundredths and thousandths.
bool offersPrecisionChoice(int verze, Edition edition);

} // namespace zorvat
