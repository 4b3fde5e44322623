// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_input.h"

#include <gtest/gtest.h>

namespace zorvat {
namespace {

FuzzScript parse(std::vector<std::uint8_t> bytes) {
    FuzzScript s;
    EXPECT_TRUE(parseFuzzInput(bytes.data(), bytes.size(), s));
    return s;
}

// Five set-up bytes: difference edition, hundredths, 454, mode 0x51, target 1, flag 0xAE.
std::vector<std::uint8_t> withSetup(const std::vector<std::uint8_t>& rest) {
    std::vector<std::uint8_t> bytes{0x00, 0x00, 0x51, 0x01, 0xAE};
    for (const std::uint8_t b : rest)
        bytes.push_back(b);
    return bytes;
}

Action action(Act act, int arg = 0, int arg2 = 0, QByteArray text = {}) {
    return Action{act, arg, arg2, std::move(text)};
}

TEST(FuzzInput, TooShortForTheSetUpIsNoInput) {
    const std::uint8_t bytes[] = {1, 2, 3, 4};
    FuzzScript s;
    EXPECT_FALSE(parseFuzzInput(bytes, sizeof bytes, s));
}

TEST(FuzzInput, SetUpBytes) {
    const FuzzScript s = parse({0x03, 23, 0xDC, 0x02, 0xAC});
    EXPECT_EQ(s.setup.edition, Edition::FourSplit);
    EXPECT_EQ(s.setup.precision, 1);
    EXPECT_EQ(s.setup.verze, 500); // 23 % 12 = 11: no such version
    EXPECT_EQ(s.setup.mode, 0xDC);
    EXPECT_EQ(s.setup.target, 0x02);
    EXPECT_EQ(s.setup.flag, 0xAC);
    EXPECT_TRUE(s.steps.empty());
    EXPECT_EQ(parse({0x00, 7, 0, 0, 0}).setup.verze, 467);
}

TEST(FuzzInput, ActionsSplitTheDeviceBytes) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> rest;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"escaped E5 and a lone one at the end are bytes",
         {0xAA, 0xE5, 0xE5, 0xAB, 0xE5},
         {DeviceBytes{0xAA, 0xE5, 0xAB, 0xE5}}},
        {"space between two runs of bytes",
         {0xAA, 0xE5, 0x00, 0xAB},
         {DeviceBytes{0xAA}, action(Act::Space), DeviceBytes{0xAB}}},
        {"only the low nibble chooses the action", {0xE5, 0x30}, {action(Act::Space)}},
        {"three kinds of wait",
         {0xE5, 0x01, 9, 0xE5, 0x02, 0, 0xE5, 0x0F, 1},
         {action(Act::Wait, 10), action(Act::Wait, 100), action(Act::Wait, 2000)}},
        {"lists and board",
         {0xE5, 0x03, 8, 0xE5, 0x04, 1, 0xE5, 0x05, 3, 0xE5, 0x06, 0xE5, 0x07, 2, 3},
         {action(Act::PickVersion, 8), action(Act::PickPrecision, 1), action(Act::PickClipboard, 3),
          action(Act::ToggleBoard), action(Act::ResizeBoard, 9, 7)}},
        {"typing: box modulo 6, length modulo 32",
         {0xE5, 0x08, 7, 35, 'a', 'b', 'c', 0xAA},
         {action(Act::Type, 1, 0, "abc"), DeviceBytes{0xAA}}},
        {"actual.txt with content and missing",
         {0xE5, 0x09, 2, 'x', '\n', 0xE5, 0x09, 255},
         {action(Act::ActualText, 0, 0, "x\n"), action(Act::ActualText, 1)}},
        {"companion requests, automatic start, results list",
         {0xE5, 0x0A, 3, 0xE5, 0x0B, 0xE5, 0x0C, 4, 0xE5, 0x0D, 0xE5, 0x0E, 5},
         {action(Act::AskSettings, 1), action(Act::AutomaticStart), action(Act::SelectResult, 4),
          action(Act::DeleteResult), action(Act::ListKey, 2)}},
        {"an action cut off ends the input", {0xAA, 0xE5, 0x08, 0, 5, 'a'}, {DeviceBytes{0xAA}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parse(withSetup(c.rest)).steps, c.steps) << c.what;
}

TEST(FuzzInput, LongInputsAreCut) {
    std::vector<std::uint8_t> bytes = withSetup(std::vector<std::uint8_t>(kMaxFuzzInput, 0xAA));
    const FuzzScript s = parse(bytes);
    ASSERT_EQ(s.steps.size(), 1u);
    EXPECT_EQ(std::get<DeviceBytes>(s.steps[0]).size(), kMaxFuzzInput - 5);
}

} // namespace
} // namespace zorvat
