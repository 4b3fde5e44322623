// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace zorvat {

// The course as the decoder sees it: taken from the caption the course label shows.
enum class CourseMode { Track, OneAttack, TwoAttacks };

// The course label's caption for the course code of the mode byte's low nibble, if it has one,
// and the mode a caption stands for: one table serves both.
std::optional<QString> courseCaption(std::uint8_t code);
CourseMode courseModeOf(const QString& drahaCaption);

// The second time line for a target-state command: one position per bit of the low nibble.
QString targetStateText(std::uint8_t nibble, CourseMode mode);

// The text a feature command appends to the device description, if b is one.
std::optional<QString> featureText(std::uint8_t b);

// The time count of the mode byte, bounded to the four time slots: 0 counts as 1 and
// 5 to 7 as 4, so that no slot outside 1..4 is ever used.
int slotCount(std::uint8_t mode);

} // namespace zorvat
