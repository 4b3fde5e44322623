// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_hex.h"
#include "sim_time_code.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace zorvat::sim;
using namespace std::chrono_literals;

namespace {

TEST(SimTimeCode, EncodesEachLayout) {
    const struct {
        int version;
        int code;
        std::chrono::milliseconds time;
        const char* bytes;
    } cases[] = {
        // Code in a byte of its own, then three digit pairs down to the thousandths.
        {466, 1, 12'345ms, "01 01 23 45"},
        {458, 5, 987'654ms, "05 98 76 54"},
        {467, 0, 0ms, "00 00 00 00"},
        {468, 4, 100'009ms, "04 10 00 09"},
        {469, 9, 25'070ms, "09 02 50 70"},
        {470, 8, 999'999ms, "08 99 99 99"},
        // Code and hundreds share the first byte; three bytes end with the hundredths, cut off.
        {454, 1, 23'450ms, "10 23 45"},
        {454, 2, 23'459ms, "20 23 45"},
        {457, 8, 345'678ms, "83 45 67"},
        {462, 3, 14'001ms, "30 14 00"},
        {463, 5, 999'999ms, "59 99 99"},
        // 456 adds the thousandths as a plain number.
        {456, 0, 105'123ms, "01 05 12 03"},
        {456, 9, 7'009ms, "90 07 00 09"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.version << " code " << c.code << " " << c.time.count());
        const std::vector<std::uint8_t> bytes = encodeTime(c.version, c.code, c.time);
        EXPECT_EQ(hexString(bytes), c.bytes);
        EXPECT_EQ(bytes.size(), std::size_t(timeByteCount(c.version)));
        EXPECT_EQ(hexString(timeCommand(c.version, c.code, c.time)), std::string("BA ") + c.bytes);
    }
}

TEST(SimTimeCode, RefusesWhatTheLayoutCannotCarry) {
    const struct {
        int version;
        int code;
        std::chrono::milliseconds time;
    } cases[] = {
        {466, 1, 1'000'000ms}, {454, 1, 1'000'000ms}, {466, 1, -1ms},
        {454, 16, 1'000ms},    {456, 16, 1'000ms},    {466, 256, 1'000ms},
    };
    for (const auto& c : cases)
        EXPECT_THROW(encodeTime(c.version, c.code, c.time), std::out_of_range)
            << c.version << " code " << c.code << " " << c.time.count();
    EXPECT_EQ(hexString(encodeTime(458, 16, 1'000ms)), "10 00 10 00");
}

} // namespace
