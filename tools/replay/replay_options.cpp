// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay_options.h"

namespace zorvat {

void addReplayOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Runs the real program offscreen, in virtual time, from a script, and "
                       "prints the visible state."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {"edition", "The edition: d (difference, default) or q (four splits).", "d|q"},
        {"ini", "The settings file to read and write (default: a fresh one).", "FILE"},
        {"companion", "Whether the companion is there to receive messages (default present).",
         "present|absent"},
    });
    parser.addPositionalArgument(QStringLiteral("SCRIPT"),
                                 QStringLiteral("The script to run; - reads standard input."));
}

std::variant<ReplayOptions, QString> readReplayOptions(const QCommandLineParser& parser) {
    ReplayOptions o;
    if (parser.isSet(QStringLiteral("edition"))) {
        const QString v = parser.value(QStringLiteral("edition"));
        if (v != QLatin1String("d") && v != QLatin1String("q"))
            return QStringLiteral("unknown edition '%1'").arg(v);
        o.edition = v == QLatin1String("d") ? Edition::Difference : Edition::FourSplit;
    }
    if (parser.isSet(QStringLiteral("ini"))) {
        o.ini = parser.value(QStringLiteral("ini"));
        if (o.ini.isEmpty())
            return QStringLiteral("--ini needs a file name");
    }
    if (parser.isSet(QStringLiteral("companion"))) {
        const QString v = parser.value(QStringLiteral("companion"));
        if (v != QLatin1String("present") && v != QLatin1String("absent"))
            return QStringLiteral("unknown companion state '%1'").arg(v);
        o.companionPresent = v == QLatin1String("present");
    }
    const QStringList scripts = parser.positionalArguments();
    if (scripts.isEmpty())
        return QStringLiteral("no script");
    if (scripts.size() > 1)
        return QStringLiteral("more than one script");
    o.script = scripts.first();
    return o;
}

} // namespace zorvat
