// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_greeting.h"
#include "sim_hex.h"

#include <gtest/gtest.h>

using namespace zorvat::sim;

namespace {

struct EncodingCase {
    Greeting greeting;
    const char* onTheLine;
};

// Every firmware version once: before 466 the mode nibbles are exchanged and the target loses
// its A0; from 466 on the greeting goes out as stored, in 467 with the minutes as target.
const EncodingCase kEncodings[] = {
    {{454, 0x51, 0xA1, 0xAE}, "00 15 01 AE AA"}, {{456, 0xDC, 0xA2, 0xAC}, "00 CD 02 AC AA"},
    {{457, 0x32, 0xA1, 0xAC}, "00 23 01 AC AA"}, {{458, 0x7A, 0xA2, 0xAE}, "00 A7 02 AE AA"},
    {{462, 0x83, 0xA2, 0xAE}, "00 38 02 AE AA"}, {{463, 0x04, 0xA1, 0xAE}, "00 40 01 AE AA"},
    {{466, 0xDC, 0xA2, 0xAE}, "00 DC A2 AE AA"}, {{467, 0x51, 0x12, 0xAE}, "00 51 12 AE AA"},
    {{468, 0x33, 0xA1, 0xAC}, "00 33 A1 AC AA"}, {{469, 0xDA, 0xA2, 0xAE}, "00 DA A2 AE AA"},
    {{470, 0x61, 0xA1, 0xAC}, "00 61 A1 AC AA"},
};

TEST(SimGreeting, EncodesEachVersionAsItsFirmwareSendsIt) {
    for (const EncodingCase& c : kEncodings) {
        SCOPED_TRACE(c.greeting.version);
        EXPECT_EQ(greetingProblem(c.greeting), "");
        EXPECT_EQ(hexString(greetingBytes(c.greeting)), c.onTheLine);
    }
}

TEST(SimGreeting, RejectsSettingsTheDeviceCannotSend) {
    const struct {
        Greeting greeting;
        const char* mentions;
    } cases[] = {
        {{455, 0x51, 0xA1, 0xAE}, "455"}, {{466, 0x50, 0xA1, 0xAE}, "50"},
        {{466, 0x55, 0xA1, 0xAE}, "55"},  {{466, 0x5B, 0xA1, 0xAE}, "5B"},
        {{454, 0x51, 0xA3, 0xAE}, "A3"},  {{466, 0x51, 0x01, 0xAE}, "01"},
        {{467, 0x51, 0x1A, 0xAE}, "1A"},  {{467, 0x51, 0xA1, 0xAE}, "A1"},
        {{466, 0x51, 0xA1, 0xAD}, "AD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(hexString({c.greeting.mode, c.greeting.target, c.greeting.timeFlag}));
        EXPECT_NE(greetingProblem(c.greeting).find(c.mentions), std::string::npos)
            << greetingProblem(c.greeting);
    }
}

TEST(SimGreeting, OnlyVersion467DefaultsToMinutesAsTarget) {
    for (int version : kFirmwareVersions)
        EXPECT_EQ(defaultTarget(version), version == 467 ? 0x05 : 0xA1) << version;
}

} // namespace
