// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_attempt.h"

#include "sim_greeting.h"
#include "sim_time_code.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>

namespace zorvat::sim {

namespace {

using std::chrono::milliseconds;
using namespace std::chrono_literals;

struct Course {
    int finishes;
    bool attacks;
    milliseconds fastest, slowest;
};

Course courseOf(std::uint8_t mode) {
    const int code = mode & 0x0F;
    if (code >= 1 && code <= 4)
        return {code, false, 12s, 25s};
    if (code == 0x0A || code == 0x0C)
        return {code == 0x0A ? 2 : 4, true, 14s, 30s};
    throw std::invalid_argument("mode has no course code");
}

// Tracks 1 to 4 report under these channel codes.
constexpr int kTrackCodes[] = {2, 5, 8, 9};

struct Result {
    int code;
    milliseconds time;
};

// An attack sends its earlier target, coded by side, then its end: when both targets are hit.
std::vector<Result> resultsOf(const Course& course, const std::vector<milliseconds>& finishes) {
    std::vector<Result> results;
    for (int i = 0; i < course.finishes; ++i) {
        if (!course.attacks) {
            results.push_back({kTrackCodes[i], finishes[i]});
        } else if (i % 2 == 1) {
            const int base = 3 * (i / 2);
            const milliseconds left = finishes[i - 1], right = finishes[i];
            results.push_back({base + (left <= right ? 0 : 1), std::min(left, right)});
            results.push_back({base + 2, std::max(left, right)});
        }
    }
    return results;
}

SendBytes byte(std::uint8_t value) {
    return SendBytes{{value}};
}

} // namespace

Attempt makeAttempt(int version, std::uint8_t mode, const AttemptPace& pace, std::uint32_t seed) {
    const Course course = courseOf(mode);
    if (pace.speed < 1)
        throw std::invalid_argument("speed below 1");

    // mt19937 gives the same numbers everywhere; the standard distributions do not.
    std::mt19937 random(seed);
    const auto spread = static_cast<std::uint32_t>((course.slowest - course.fastest).count() + 1);
    Attempt attempt;
    for (int i = 0; i < course.finishes; ++i)
        attempt.finishTimes.push_back(course.fastest + milliseconds(random() % spread));

    const auto scaled = [&](milliseconds wait) { return wait / pace.speed; };
    std::vector<ScriptCommand>& commands = attempt.commands;
    commands = {byte(kResetCommand), byte(kPreparationCommand), Wait{scaled(pace.preparation)},
                byte(kStartCommand)};

    std::vector<int> order(attempt.finishTimes.size());
    std::iota(order.begin(), order.end(), 0);
    std::ranges::stable_sort(order, {}, [&](int i) { return attempt.finishTimes[i]; });
    int state = 0;
    milliseconds sinceStart = 0ms;
    for (int i : order) {
        // Waits from the start, not from the last event, so rounding does not add up.
        const milliseconds at = scaled(attempt.finishTimes[i]);
        commands.push_back(Wait{at - sinceStart});
        sinceStart = at;
        state |= 1 << i;
        commands.push_back(byte(static_cast<std::uint8_t>(kTargetStateCommand | state)));
    }
    for (const Result& result : resultsOf(course, attempt.finishTimes))
        commands.push_back(SendBytes{timeCommand(version, result.code, result.time)});
    return attempt;
}

} // namespace zorvat::sim
