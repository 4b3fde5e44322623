// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstdint>
#include <optional>

namespace zorvat {

// One time as the device sends it: bytes 1..4 in order of arrival at index 0..3.
using DeviceTime = std::array<std::uint8_t, 4>;

// Display precision list: item 0 "setiny", item 1 "tisíciny".
enum class Precision { Hundredths, Thousandths };

// What the text forms depend on besides the bytes; passed in on every call.
struct TimeFormat {
    int verze;
    Edition edition;
};

// Letter or track digit of a channel code; empty for codes 10 and above.
QString Decode_Terc(std::uint8_t typ);

// Channel code of a time: the whole byte 1 or its high nibble, depending on the version.
std::uint8_t channelCode(const DeviceTime& casy, TimeFormat f);

// Display form; ano puts the channel letter and a space in front.
QString CasToStr(const DeviceTime& casy, bool ano, TimeFormat f, Precision p);

// Output form for the companion program; its decimals follow the version only.
QString CasToStrOut(const DeviceTime& casy, bool ano, TimeFormat f);

struct PrevedResult {
    std::array<qint32, 4> data_out{};
    std::optional<QString> error; // "'%s' is not a valid integer value"
};

// Result text in output form to the four integers for the companion program. On a part that
// is not a number, the integers set so far are kept and the rest stay 0.
PrevedResult preved_cas(const QString& cas);

// Minutes of the preparation caption ("5:00" gives 5); 0 when that part is not a number.
int StrToPrip(const QString& co);

} // namespace zorvat
