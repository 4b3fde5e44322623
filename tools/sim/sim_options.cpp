// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_options.h"

#include "sim_hex.h"

#include <charconv>
#include <optional>

namespace zorvat::sim {

namespace {

template <typename Number> std::optional<Number> parseDecimal(const std::string& text) {
    Number value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

struct NumberOption {
    const char* name;
    long long least, most;
};

// Longer waits are almost certainly a typo.
constexpr long long kLongestWaitMs = 3'600'000;

constexpr NumberOption kNumberOptions[] = {
    {"--seed", 0, 4'294'967'295},
    {"--preparation", 0, kLongestWaitMs},
    {"--pause", 0, kLongestWaitMs},
    {"--speed", 1, 1000},
};

const NumberOption* numberOption(const std::string& arg) {
    for (const NumberOption& option : kNumberOptions)
        if (arg == option.name)
            return &option;
    return nullptr;
}

} // namespace

OptionsResult parseOptions(const std::vector<std::string>& args) {
    OptionsResult result;
    Options& options = result.options;
    std::optional<std::uint8_t> target;
    bool onOpen = false;
    bool onNow = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return result;
        }
        if (arg == "--on-open") {
            onOpen = true;
            continue;
        }
        if (arg == "--on-now") {
            onNow = true;
            continue;
        }
        if (arg == "--demo") {
            options.demo = true;
            continue;
        }
        const NumberOption* number = numberOption(arg);
        const bool takesValue = arg == "--version" || arg == "--mode" || arg == "--target" ||
                                arg == "--flag" || arg == "--tty" || arg == "--link" ||
                                arg == "--script" || number != nullptr;
        if (!takesValue) {
            result.error = "unknown argument '" + arg + "'";
            return result;
        }
        if (i + 1 == args.size()) {
            result.error = arg + " needs a value";
            return result;
        }
        const std::string& value = args[++i];
        if (number != nullptr) {
            const std::optional<long long> n = parseDecimal<long long>(value);
            if (!n || *n < number->least || *n > number->most) {
                result.error = arg + " needs a whole number from " + std::to_string(number->least) +
                               " to " + std::to_string(number->most) + ", not '" + value + "'";
                return result;
            }
            if (arg == "--seed")
                options.seed = static_cast<std::uint32_t>(*n);
            else if (arg == "--preparation")
                options.pace.preparation = std::chrono::milliseconds(*n);
            else if (arg == "--pause")
                options.pace.pause = std::chrono::milliseconds(*n);
            else
                options.pace.speed = static_cast<int>(*n);
        } else if (arg == "--version") {
            const std::optional<int> version = parseDecimal<int>(value);
            if (!version || !isFirmwareVersion(*version)) {
                result.error = "unknown firmware version '" + value + "'";
                return result;
            }
            options.greeting.version = *version;
        } else if (arg == "--mode" || arg == "--target" || arg == "--flag") {
            const std::optional<std::uint8_t> byte = parseHexByte(value);
            if (!byte) {
                result.error = arg + " needs a hex byte, not '" + value + "'";
                return result;
            }
            if (arg == "--mode")
                options.greeting.mode = *byte;
            else if (arg == "--target")
                target = byte;
            else
                options.greeting.timeFlag = *byte;
        } else if (value.empty()) {
            result.error = arg + " needs a path";
            return result;
        } else if (arg == "--tty") {
            options.ttyPath = value;
        } else if (arg == "--link") {
            options.linkPath = value;
        } else {
            options.scriptPath = value;
        }
    }

    options.greeting.target = target.value_or(defaultTarget(options.greeting.version));
    if (onOpen && onNow)
        result.error = "--on-open and --on-now exclude each other";
    else if (!options.ttyPath.empty() && !options.linkPath.empty())
        result.error = "--tty and --link exclude each other";
    else if (!options.ttyPath.empty() && onOpen)
        result.error = "--on-open needs a pseudo-terminal; use --on-now with --tty";
    else
        result.error = greetingProblem(options.greeting);
    options.greetOnOpen = options.ttyPath.empty() && !onNow;
    return result;
}

std::string usageText() {
    return R"(Usage: zorvat-sim [OPTIONS]
Plays the timing device on a serial line: sends its greeting, then script lines.

Device:
  --version V    firmware version: 454 456 457 458 462 463 466 467 468 469 470
                 (default 466)
  --mode HH      mode byte as the program stores it (default 51: one track, 5:00)
  --target HH    target byte: A1 opening or A2 closing contacts (default A1);
                 for 467 the preparation minutes as two BCD digits (default 05)
  --flag HH      time flag: AE time yes, AC time no (default AE)
  Versions before 466 send the mode nibbles exchanged and the target as 01/02.
  A reset (AA) follows the greeting.

Port:
  (default)      open a pseudo-terminal; the first line on stdout is "PTY <slave path>"
  --link PATH    also make PATH a symbolic link to the slave (replaced if it is one;
                 removed at exit)
  --tty PATH     write to an existing tty instead (raw, 9600 8N1)

Switching on:
  --on-open      greet once the slave has stayed open 300 ms, and again each time it is
                 reopened (default with a pseudo-terminal)
  --on-now       greet at once (default with --tty)

Script (--script FILE, otherwise stdin), one command a line, '#' starts a comment:
  AB             hex bytes separated by spaces ("BA 01 01 23 45", 0xAB also works)
  wait MS        pause for MS milliseconds
  greet          send the greeting again
  attempt        play one attempt with the course of --mode (see below)
  quit           exit
The script runs while the device is switched on. At its end the simulator keeps the port
open until SIGINT or SIGTERM.

Attempts:
  --demo         once the script has run, play attempts one after another for good;
                 lines typed on stdin run between two attempts
  --seed N       make the times reproducible: the first attempt uses seed N, the next
                 N+1 and so on (default: a fresh seed; each attempt logs its own on stderr)
  --preparation MS
                 wait between preparation start and start (default 3000; the program
                 counts down the minutes of the mode byte by itself)
  --pause MS     pause between attempts of the demo (default 5000)
  --speed N      divide every wait of attempts and the demo by N, for quick checks; the
                 times sent stay real (default 1)
An attempt sends AA (reset), 55 (preparation), AB (start), then D1..DF as targets or
tracks finish (attacks 14-30 s a target, tracks 12-25 s), and right after the last one
each time as BA and the bytes of the version's layout. Switching off drops the rest of an
attempt.

Exit status: 0 on quit or a signal, 1 when the port fails, 2 on invalid arguments.
)";
}

} // namespace zorvat::sim
