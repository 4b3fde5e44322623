// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <variant>

namespace zorvat {

struct ReplayOptions {
    Edition edition = Edition::Difference;
    QString ini; // empty: no settings file of the user's
    bool companionPresent = true;
    QString script; // "-" reads standard input
};

// zorvat-replay's options, --help and --version among them.
void addReplayOptions(QCommandLineParser& parser);

// The options of a command line that parser (set up by addReplayOptions) has parsed, or what
// is wrong with them.
std::variant<ReplayOptions, QString> readReplayOptions(const QCommandLineParser& parser);

} // namespace zorvat
