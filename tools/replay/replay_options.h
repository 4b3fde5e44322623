// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

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

// The command line without the program name; the options, or what is wrong with them.
std::variant<ReplayOptions, QString> parseReplayOptions(const QStringList& args);

inline const char* replayUsage() {
    return "usage: zorvat-replay [--edition d|q] [--ini FILE] [--companion present|absent] SCRIPT";
}

} // namespace zorvat
