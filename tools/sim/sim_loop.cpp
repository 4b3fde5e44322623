// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_loop.h"

#include "sim_hex.h"
#include "sim_line_reader.h"
#include "sim_stop_signal.h"
#include "sim_switch_on.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <deque>
#include <iostream>
#include <iterator>
#include <optional>
#include <poll.h>
#include <system_error>
#include <utility>
#include <variant>

namespace zorvat::sim {

namespace {

using Clock = SwitchOnDetector::Clock;
using namespace std::chrono_literals;

// The program opens and closes every port at start-up; an open this long is a real one.
constexpr auto kSettle = 300ms;
// While the slave is closed the master reports POLLHUP at once, so it cannot be waited on;
// it is looked at this often instead.
constexpr auto kClosedSampling = 20ms;

std::string seconds(std::chrono::milliseconds time) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(time.count() / 1000),
                  static_cast<long long>(time.count() % 1000));
    return text;
}

class DeviceLoop {
public:
    DeviceLoop(DevicePort& port, LoopSetup setup)
        : port_(port), setup_(std::move(setup)), queue_(setup_.script.begin(), setup_.script.end()),
          nextSeed_(setup_.attempts.firstSeed) {
        if (setup_.inputFd >= 0)
            input_.emplace(setup_.inputFd);
    }

    void run() {
        if (!setup_.greetOnOpen)
            switchOn();
        while (!quit_ && !stopRequested()) {
            const Clock::time_point now = Clock::now();
            if (setup_.greetOnOpen)
                followProgramSide(now);
            runScript(now);
            if (!quit_)
                waitForEvents(now);
        }
    }

private:
    void switchOn() {
        on_ = true;
        playedSinceOn_ = false;
        port_.write(setup_.greeting);
        std::cerr << "zorvat-sim: switched on, greeting " << hexString(setup_.greeting) << '\n';
    }

    void followProgramSide(Clock::time_point now) {
        programSideOpen_ = port_.programSideOpen();
        switch (detector_.observe(programSideOpen_, now)) {
        case SwitchOnDetector::Change::SwitchedOn:
            switchOn();
            break;
        case SwitchOnDetector::Change::SwitchedOff:
            on_ = false;
            port_.discardUnread();
            // A device switched on again starts afresh, not in the middle of an attempt.
            if (!attempt_.empty()) {
                attempt_.clear();
                waitUntil_.reset();
            }
            std::cerr << "zorvat-sim: port closed, switched off\n";
            break;
        case SwitchOnDetector::Change::None:
            break;
        }
    }

    void runScript(Clock::time_point now) {
        while (on_ && !quit_) {
            if (waitUntil_ && now < *waitUntil_)
                return;
            waitUntil_.reset();
            std::deque<ScriptCommand>* source = nextSource();
            if (source == nullptr)
                return;
            const ScriptCommand command = std::move(source->front());
            source->pop_front();
            if (const auto* send = std::get_if<SendBytes>(&command))
                port_.write(send->bytes);
            else if (const auto* wait = std::get_if<Wait>(&command))
                waitUntil_ = now + wait->duration;
            else if (std::holds_alternative<Greet>(command))
                port_.write(setup_.greeting);
            else if (std::holds_alternative<PlayAttempt>(command))
                queueAttempt();
            else
                quit_ = true;
        }
    }

    // An attempt being played comes first; script lines typed meanwhile wait for its end.
    std::deque<ScriptCommand>* nextSource() {
        const AttemptPlan& plan = setup_.attempts;
        if (plan.demo && attempt_.empty() && queue_.empty()) {
            if (playedSinceOn_)
                attempt_.push_back(Wait{plan.pace.pause / plan.pace.speed});
            queueAttempt();
        }
        if (!attempt_.empty())
            return &attempt_;
        return queue_.empty() ? nullptr : &queue_;
    }

    void queueAttempt() {
        const AttemptPlan& plan = setup_.attempts;
        const std::uint32_t seed = nextSeed_++;
        Attempt attempt = makeAttempt(plan.version, plan.mode, plan.pace, seed);
        std::cerr << "zorvat-sim: attempt with seed " << seed << ", finishes at";
        for (std::chrono::milliseconds time : attempt.finishTimes)
            std::cerr << ' ' << seconds(time);
        std::cerr << " s\n";
        std::ranges::move(attempt.commands, std::back_inserter(attempt_));
        playedSinceOn_ = true;
    }

    int pollTimeoutMs(Clock::time_point now) const {
        std::optional<Clock::time_point> wake;
        const auto earliest = [&](Clock::time_point t) {
            if (!wake || t < *wake)
                wake = t;
        };
        if (setup_.greetOnOpen && !programSideOpen_)
            earliest(now + kClosedSampling);
        if (const auto switchOnTime = detector_.switchOnTime())
            earliest(*switchOnTime);
        if (on_ && waitUntil_)
            earliest(*waitUntil_);
        if (!wake)
            return -1;
        // Rounded up, so the loop does not wake just before the moment and spin.
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*wake - now).count();
        return static_cast<int>(std::max<decltype(ms)>(ms, 0));
    }

    void waitForEvents(Clock::time_point now) {
        std::vector<pollfd> fds{{setup_.stopFd, POLLIN, 0}};
        const bool watchInput = input_.has_value();
        if (watchInput)
            fds.push_back({setup_.inputFd, POLLIN, 0});
        // Only while the slave is open: then POLLHUP wakes us when the program closes it.
        const bool watchPort = setup_.greetOnOpen && programSideOpen_;
        if (watchPort)
            fds.push_back({port_.fd(), POLLIN, 0});

        if (poll(fds.data(), fds.size(), pollTimeoutMs(now)) < 0) {
            if (errno == EINTR)
                return;
            throw std::system_error(errno, std::generic_category(), "poll failed");
        }
        if (watchInput && fds[1].revents != 0)
            readInput();
        if (watchPort && (fds.back().revents & POLLIN) && !(fds.back().revents & POLLHUP))
            port_.drainInput();
    }

    void readInput() {
        std::vector<std::string> lines;
        if (!input_->readLines(lines))
            input_.reset();
        for (const std::string& line : lines) {
            ScriptLineResult parsed = parseScriptLine(line, ++inputLine_);
            if (!parsed.error.empty())
                std::cerr << "zorvat-sim: stdin " << parsed.error << '\n';
            else if (parsed.command)
                queue_.push_back(std::move(*parsed.command));
        }
    }

    DevicePort& port_;
    LoopSetup setup_;
    SwitchOnDetector detector_{kSettle};
    std::deque<ScriptCommand> queue_;
    std::deque<ScriptCommand> attempt_; // what is left of the attempt being played
    std::uint32_t nextSeed_;
    bool playedSinceOn_ = false;
    std::optional<LineReader> input_;
    int inputLine_ = 0;
    std::optional<Clock::time_point> waitUntil_;
    bool programSideOpen_ = false;
    bool on_ = false;
    bool quit_ = false;
};

} // namespace

void runDevice(DevicePort& port, LoopSetup setup) {
    DeviceLoop(port, std::move(setup)).run();
}

} // namespace zorvat::sim
