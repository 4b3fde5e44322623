// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

namespace zorvat {

// Inputs longer than this are cut.
inline constexpr std::size_t kMaxFuzzInput = 4096;

// What the timekeeper or the companion does between the device's bytes.
enum class Act : std::uint8_t {
    Space,         // the space bar
    Wait,          // ms milliseconds pass
    PickVersion,   // the version list: item arg
    PickPrecision, // the precision list: item arg
    PickClipboard, // the clipboard lists: layout arg bit 0, splits arg bit 1
    ToggleBoard,   // SB_zobr clicked
    ResizeBoard,   // the board's outer size: width arg, height arg2
    Type,          // text typed into box arg (0 edtSDH, 1..4 edtM0..edtMR, 5 edtText)
    ActualText,    // actual.txt holds text (none when arg is 1), then message 1493
    AskSettings,   // message 1490 (arg 0) or 1494 (arg 1) from the companion
    AutomaticStart,
    SelectResult, // results-list item arg, modulo the item count
    DeleteResult,
    ListKey, // a key pressed in the results list: Up (arg 0), Down (1), Space (2)
};

struct Action {
    Act act;
    int arg = 0;
    int arg2 = 0;
    QByteArray text;
    bool operator==(const Action&) const = default;
};

// A run of device bytes that arrive between two actions.
using DeviceBytes = std::vector<std::uint8_t>;
// A quiet line for ms milliseconds; made by the journal playback, never read from an input.
struct Gap {
    std::int64_t ms;
    bool operator==(const Gap&) const = default;
};
using Step = std::variant<DeviceBytes, Action, Gap>;

struct FuzzSetup {
    Edition edition = Edition::Difference;
    int precision = 0; // kq.ini [LED] Format
    int verze = 454;   // kq.ini [Cas] Typ
    std::uint8_t mode = 0, target = 0, flag = 0;
};

struct FuzzScript {
    FuzzSetup setup;
    std::vector<Step> steps;
};

// Reads an input; false when it is too short for the set-up.
//   byte 0     bit 0: edition (0 difference, 1 four-split); bit 1: precision
//   byte 1     firmware version: index (mod 12) into 454 456 457 458 462 463 466 467 468 469 470
//              and 500 (no such version)
//   bytes 2-4  mode, target and time-flag bytes of the greeting, sent in the version's layout
//   the rest   device bytes; 0xE5 escapes: E5 E5 is the byte E5, E5 X an action chosen by the
//              low nibble of X, its arguments in the bytes after X (see fuzz_input.cpp). An
//              input that ends inside an action ends there.
bool parseFuzzInput(const std::uint8_t* data, std::size_t size, FuzzScript& out);

} // namespace zorvat
