// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zorvat::sim {

struct SendBytes {
    std::vector<std::uint8_t> bytes;
    bool operator==(const SendBytes&) const = default;
};

struct Wait {
    std::chrono::milliseconds duration;
    bool operator==(const Wait&) const = default;
};

struct Greet {
    bool operator==(const Greet&) const = default;
};

struct Quit {
    bool operator==(const Quit&) const = default;
};

// One attempt with the device's version and mode.
struct PlayAttempt {
    bool operator==(const PlayAttempt&) const = default;
};

using ScriptCommand = std::variant<SendBytes, Wait, Greet, Quit, PlayAttempt>;

struct ScriptLineResult {
    std::optional<ScriptCommand> command; // none for blank and comment lines
    std::string error;                    // "line N: ..." when the line is not understood
};

struct ScriptResult {
    std::vector<ScriptCommand> commands;
    std::string error; // the first bad line
};

ScriptLineResult parseScriptLine(std::string_view line, int lineNumber);

ScriptResult parseScript(std::string_view text);

} // namespace zorvat::sim
