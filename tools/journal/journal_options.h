// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace zorvat {

struct JournalToolOptions {
    enum class Command { Help, Version, Sessions, Results, Stream };
    Command command = Command::Help;
    QString folder;                // the data folder
    std::optional<qint64> session; // none: the latest
    QString out;                   // empty: standard output
};

// The arguments without the program name; the options, or what is wrong with them.
std::variant<JournalToolOptions, QString> parseJournalToolOptions(const QStringList& args);

QString journalToolUsage();

} // namespace zorvat
