// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "zorvat_version.h"

#include <QCoreApplication>

namespace zorvat {

std::optional<QString> parseToolArguments(QCommandLineParser& parser) {
    QCoreApplication::setApplicationVersion(QStringLiteral(ZORVAT_VERSION));
    if (!parser.parse(QCoreApplication::arguments()))
        return parser.errorText();
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    return std::nullopt;
}

} // namespace zorvat
