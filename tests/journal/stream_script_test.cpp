// SPDX-License-Identifier: GPL-3.0-or-later
// The device stream as a simulator script, read back by the simulator's own parser.
#include "sim_script.h"
#include "stream_script.h"

#include <gtest/gtest.h>

using namespace zorvat;

namespace {

std::vector<StampedByte> stamped(const std::vector<std::pair<std::uint8_t, qint64>>& bytes) {
    std::vector<StampedByte> result;
    for (const auto& [value, ms] : bytes)
        result.push_back({value, ms, 1'715'500'000'000 + ms});
    return result;
}

// The bytes and the moment the simulator sends each, counted from the first line.
std::vector<std::pair<std::uint8_t, qint64>> played(const QByteArray& script) {
    const sim::ScriptResult parsed = sim::parseScript(script.toStdString());
    EXPECT_EQ(parsed.error, "");
    std::vector<std::pair<std::uint8_t, qint64>> bytes;
    qint64 now = 0;
    for (const sim::ScriptCommand& command : parsed.commands) {
        if (const auto* wait = std::get_if<sim::Wait>(&command))
            now += wait->duration.count();
        else if (const auto* send = std::get_if<sim::SendBytes>(&command))
            for (std::uint8_t b : send->bytes)
                bytes.emplace_back(b, now);
        else
            ADD_FAILURE() << "a stream script only sends and waits";
    }
    return bytes;
}

TEST(StreamScript, BurstsShareALineAndGapsBecomeWaits) {
    const auto bytes = stamped({{0xAA, 5000},
                                {0x55, 5600},
                                {0xAB, 9000},
                                {0xBA, 31000},
                                {0x01, 31001},
                                {0x01, 31002},
                                {0x23, 31003},
                                {0x45, 31005},
                                {0xD1, 31009}});
    EXPECT_EQ(streamScript(bytes), QByteArray("AA\n"
                                              "wait 600\n"
                                              "55\n"
                                              "wait 3400\n"
                                              "AB\n"
                                              "wait 22000\n"
                                              "BA 01 01 23 45\n"
                                              "wait 9\n"
                                              "D1\n"));
}

TEST(StreamScript, SimulatorPlaysTheSameBytesAtTheSameMoments) {
    // Ten hours of silence exceed the longest wait the simulator takes in one line.
    const auto bytes = stamped({{0x00, 100},
                                {0xFF, 100},
                                {0x0A, 101},
                                {0xAB, 2000},
                                {0x55, 2003},
                                {0xBA, 36'002'003},
                                {0x10, 36'002'004},
                                {0xAA, 36'002'006}});
    const auto replayed = played(streamScript(bytes));
    ASSERT_EQ(replayed.size(), bytes.size());
    // A line goes out when its first byte came; the others on it came at most 2 ms apart.
    const std::vector<qint64> moments{0, 0, 0, 1900, 1903, 36'001'903, 36'001'903, 36'001'903};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(replayed[i].first, bytes[i].value);
        EXPECT_EQ(replayed[i].second, moments[i]);
    }
}

TEST(StreamScript, NoBytesNoLines) {
    EXPECT_EQ(streamScript({}), QByteArray());
}

} // namespace
