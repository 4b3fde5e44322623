// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zorvat {

// One line of a replay script, checked for form only; names are looked up when it runs.
struct Command {
    enum class Kind {
        Pick,
        Bytes,
        Wait,
        Key,
        Select,
        Click,
        Choose,
        Type,
        Enter,
        Leave,
        Resize,
        Message,
        Close,
        Dump
    };
    Kind kind = Kind::Dump;
    int line = 0;
    QString name;                    // pick: the port; click, choose, type, enter, leave: a control
    QString text;                    // type
    std::vector<std::uint8_t> bytes; // bytes
    qint64 number = 0;               // wait: ms; select, choose: the entry; resize: width
    qint64 height = 0;               // resize
    bool board = false;              // key: sent to the board window

    bool operator==(const Command&) const = default;
};

struct ScriptError {
    int line = 0;
    QString message;

    bool operator==(const ScriptError&) const = default;
};

struct Script {
    std::vector<Command> commands;
    std::optional<ScriptError> error; // the first bad line; commands is then empty
};

// One command a line; '#' starts a comment, blank lines are skipped.
Script parseScript(const QString& text);

} // namespace zorvat
