// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sim_attempt.h"
#include "sim_greeting.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>

namespace zorvat::sim {

struct Options {
    Greeting greeting;
    std::string ttyPath;    // empty: open a pseudo-terminal
    std::string linkPath;   // pseudo-terminal only: symbolic link to the slave
    std::string scriptPath; // empty: script lines come from stdin
    bool greetOnOpen = true;
    bool demo = false;                 // attempts one after another once switched on
    std::optional<std::uint32_t> seed; // none: a fresh one each run
    AttemptPace pace;
};

struct OptionsResult {
    Options options;
    QString error; // empty on success
};

// The simulator's options, --help and --version among them, with the help text's notes.
void addOptions(QCommandLineParser& parser);

// The options of a command line that parser (set up by addOptions) has parsed.
OptionsResult readOptions(const QCommandLineParser& parser);

// addOptions, parse and readOptions in one; args without the program name.
OptionsResult parseOptions(const QStringList& args);

} // namespace zorvat::sim
