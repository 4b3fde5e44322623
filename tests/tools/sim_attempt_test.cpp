// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_attempt.h"
#include "sim_hex.h"
#include "sim_time_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>
#include <stdexcept>

using namespace zorvat::sim;
using namespace std::chrono_literals;
using std::chrono::milliseconds;

namespace {

struct Event {
    milliseconds at;
    std::vector<std::uint8_t> bytes;
};

// The bytes of an attempt with the moment each goes out, counted from its beginning.
std::vector<Event> timeline(const std::vector<ScriptCommand>& commands) {
    std::vector<Event> events;
    milliseconds at = 0ms;
    for (const ScriptCommand& command : commands) {
        if (const auto* wait = std::get_if<Wait>(&command)) {
            EXPECT_GE(wait->duration, 0ms) << "time runs backwards";
            at += wait->duration;
        } else if (const auto* send = std::get_if<SendBytes>(&command)) {
            events.push_back({at, send->bytes});
        } else {
            ADD_FAILURE() << "an attempt only sends and waits";
        }
    }
    return events;
}

struct Result {
    int code;
    milliseconds time;
};

// The times the program must get, worked out from when the targets or tracks finished.
std::vector<Result> expectedResults(std::uint8_t mode, const std::vector<milliseconds>& finish) {
    std::vector<Result> results;
    if ((mode & 0x0F) <= 4) {
        const int trackCodes[] = {2, 5, 8, 9};
        for (std::size_t i = 0; i < finish.size(); ++i)
            results.push_back({trackCodes[i], finish[i]});
        return results;
    }
    for (std::size_t attack = 0; attack < finish.size() / 2; ++attack) {
        const int base = 3 * static_cast<int>(attack);
        const milliseconds left = finish[2 * attack], right = finish[2 * attack + 1];
        if (left <= right)
            results.push_back({base, left});
        else
            results.push_back({base + 1, right});
        results.push_back({base + 2, std::max(left, right)});
    }
    return results;
}

struct CourseCase {
    int version;
    std::uint8_t mode;
    std::size_t finishes;
    milliseconds fastest, slowest;
};

const CourseCase kCourses[] = {
    {454, 0x51, 1, 12s, 25s}, // one track, three-byte times
    {458, 0x32, 2, 12s, 25s}, // two tracks
    {470, 0x04, 4, 12s, 25s}, // four tracks
    {456, 0x5A, 2, 14s, 30s}, // one attack
    {466, 0xDC, 4, 14s, 30s}, // two attacks
};

TEST(SimAttempt, PlaysTheCourseOfTheModeInOrderAndOnTime) {
    const AttemptPace pace{1500ms, 5000ms, 1};
    for (const CourseCase& c : kCourses) {
        std::set<int> codesSeen;
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            SCOPED_TRACE(testing::Message()
                         << c.version << " mode " << hexString({c.mode}) << " seed " << seed);
            const Attempt attempt = makeAttempt(c.version, c.mode, pace, seed);
            ASSERT_EQ(attempt.finishTimes.size(), c.finishes);
            for (milliseconds finish : attempt.finishTimes) {
                EXPECT_GE(finish, c.fastest);
                EXPECT_LE(finish, c.slowest);
            }
            const std::vector<Result> results = expectedResults(c.mode, attempt.finishTimes);
            const std::vector<Event> events = timeline(attempt.commands);
            ASSERT_EQ(events.size(), 3 + c.finishes + results.size());

            EXPECT_EQ(hexString(events[0].bytes), "AA");
            EXPECT_EQ(hexString(events[1].bytes), "55");
            EXPECT_EQ(events[1].at, 0ms);
            EXPECT_EQ(hexString(events[2].bytes), "AB");
            EXPECT_EQ(events[2].at, 1500ms);

            // Each target state adds the bit of one more finished target, when it finished.
            unsigned state = 0;
            for (std::size_t i = 0; i < c.finishes; ++i) {
                const Event& event = events[3 + i];
                ASSERT_EQ(event.bytes.size(), 1u);
                EXPECT_EQ(event.bytes[0] & 0xF0, 0xD0);
                const unsigned bits = event.bytes[0] & 0x0Fu;
                EXPECT_EQ(bits & state, state) << "a finished target was forgotten";
                ASSERT_EQ(std::popcount(bits & ~state), 1) << hexString(event.bytes);
                const auto target = static_cast<std::size_t>(std::countr_zero(bits & ~state));
                ASSERT_LT(target, c.finishes);
                EXPECT_EQ(event.at, 1500ms + attempt.finishTimes[target]);
                state = bits;
            }
            EXPECT_EQ(state, (1u << c.finishes) - 1);

            // All times right after the last target, in the version's layout.
            const milliseconds lastTarget = events[2 + c.finishes].at;
            for (std::size_t i = 0; i < results.size(); ++i) {
                const Event& event = events[3 + c.finishes + i];
                EXPECT_EQ(event.at, lastTarget);
                EXPECT_EQ(hexString(event.bytes),
                          hexString(timeCommand(c.version, results[i].code, results[i].time)));
                codesSeen.insert(results[i].code);
            }
        }
        // The seeds used let both sides of an attack come first.
        if ((c.mode & 0x0F) > 4) {
            EXPECT_TRUE(codesSeen.contains(0) && codesSeen.contains(1));
        }
    }
}

TEST(SimAttempt, TheSeedDecidesTheTimes) {
    const AttemptPace pace;
    const Attempt first = makeAttempt(466, 0xDC, pace, 42);
    const Attempt again = makeAttempt(466, 0xDC, pace, 42);
    EXPECT_EQ(again.finishTimes, first.finishTimes);
    EXPECT_EQ(again.commands, first.commands);

    std::set<std::vector<milliseconds>> differentTimes;
    for (std::uint32_t seed = 0; seed < 10; ++seed)
        differentTimes.insert(makeAttempt(466, 0xDC, pace, seed).finishTimes);
    EXPECT_EQ(differentTimes.size(), 10u);
}

TEST(SimAttempt, SpeedShortensTheWaitsButNotTheTimes) {
    const Attempt real = makeAttempt(467, 0x5A, {3000ms, 5000ms, 1}, 7);
    const Attempt fast = makeAttempt(467, 0x5A, {3000ms, 5000ms, 4}, 7);
    EXPECT_EQ(fast.finishTimes, real.finishTimes);
    const std::vector<Event> realEvents = timeline(real.commands);
    const std::vector<Event> fastEvents = timeline(fast.commands);
    ASSERT_EQ(fastEvents.size(), realEvents.size());
    for (std::size_t i = 0; i < realEvents.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(fastEvents[i].bytes, realEvents[i].bytes);
        if (i >= 2) {
            EXPECT_EQ(fastEvents[i].at, 750ms + (realEvents[i].at - 3000ms) / 4);
        }
    }
}

TEST(SimAttempt, RefusesAModeWithoutCourseAndAStandstill) {
    EXPECT_THROW(makeAttempt(466, 0x50, {}, 1), std::invalid_argument);
    EXPECT_THROW(makeAttempt(466, 0x5B, {}, 1), std::invalid_argument);
    EXPECT_THROW(makeAttempt(466, 0x51, {3000ms, 5000ms, 0}, 1), std::invalid_argument);
}

} // namespace
