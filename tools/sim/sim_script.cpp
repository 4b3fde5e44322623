// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_script.h"

#include "sim_hex.h"

#include <charconv>

namespace zorvat::sim {

namespace {

// Longer pauses are almost certainly a typo.
constexpr long kLongestWaitMs = 3'600'000;

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (true) {
        pos = line.find_first_not_of(" \t\r", pos);
        if (pos == std::string_view::npos)
            return words;
        const std::size_t end = line.find_first_of(" \t\r", pos);
        words.push_back(line.substr(pos, end - pos));
        if (end == std::string_view::npos)
            return words;
        pos = end;
    }
}

std::optional<long> parseMilliseconds(std::string_view text) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > kLongestWaitMs)
        return std::nullopt;
    return value;
}

} // namespace

ScriptLineResult parseScriptLine(std::string_view line, int lineNumber) {
    ScriptLineResult result;
    const auto fail = [&](const std::string& why) {
        result.error = "line " + std::to_string(lineNumber) + ": " + why;
        return result;
    };

    const std::vector<std::string_view> words = splitWords(line.substr(0, line.find('#')));
    if (words.empty())
        return result;

    const std::string_view keyword = words.front();
    if (keyword == "wait") {
        if (words.size() != 2)
            return fail("wait needs one number of milliseconds");
        const std::optional<long> ms = parseMilliseconds(words[1]);
        if (!ms)
            return fail("bad number of milliseconds '" + std::string(words[1]) + "'");
        result.command = Wait{std::chrono::milliseconds(*ms)};
        return result;
    }
    if (keyword == "greet" || keyword == "quit" || keyword == "attempt") {
        if (words.size() != 1)
            return fail(std::string(keyword) + " takes no arguments");
        if (keyword == "greet")
            result.command = Greet{};
        else if (keyword == "quit")
            result.command = Quit{};
        else
            result.command = PlayAttempt{};
        return result;
    }

    SendBytes send;
    for (std::string_view word : words) {
        const std::optional<std::uint8_t> byte = parseHexByte(word);
        if (!byte)
            return fail("bad byte '" + std::string(word) + "'");
        send.bytes.push_back(*byte);
    }
    result.command = std::move(send);
    return result;
}

ScriptResult parseScript(std::string_view text) {
    ScriptResult result;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        ScriptLineResult line = parseScriptLine(text.substr(0, end), ++lineNumber);
        if (!line.error.empty()) {
            result.error = line.error;
            result.commands.clear();
            return result;
        }
        if (line.command)
            result.commands.push_back(std::move(*line.command));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return result;
}

} // namespace zorvat::sim
