// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <optional>

namespace zorvat {

// The arguments of a tool, read by parser with its options added: --help and --version print
// their text and end the program here; otherwise the parser's complaint, if it has one.
std::optional<QString> parseToolArguments(QCommandLineParser& parser);

} // namespace zorvat
