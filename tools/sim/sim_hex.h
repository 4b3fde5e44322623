// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvat::sim {

// One byte written as one or two hex digits, optionally prefixed by 0x or 0X.
std::optional<std::uint8_t> parseHexByte(std::string_view text);

// "00 51 A1" for log lines and test messages.
std::string hexString(const std::vector<std::uint8_t>& bytes);

} // namespace zorvat::sim
