// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace zorvat {

// Inputs longer than this are cut; the rest would only slow each run down.
inline constexpr std::size_t kMaxDecoderInput = 4096;

// Runs one input against a fresh main window in virtual time (layout in decoder_input.cpp)
// and aborts when the hub ends in a state it must never reach. Needs a QApplication.
void runDecoderInput(const std::uint8_t* data, std::size_t size);

} // namespace zorvat
