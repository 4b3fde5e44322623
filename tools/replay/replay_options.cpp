// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay_options.h"

namespace zorvat {

std::variant<ReplayOptions, QString> parseReplayOptions(const QStringList& args) {
    ReplayOptions o;
    bool haveScript = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool takesValue = a == QLatin1String("--edition") || a == QLatin1String("--ini") ||
                                a == QLatin1String("--companion");
        if (takesValue && i + 1 == args.size())
            return a + QStringLiteral(" needs a value");
        if (a == QLatin1String("--edition")) {
            const QString v = args[++i];
            if (v != QLatin1String("d") && v != QLatin1String("q"))
                return QStringLiteral("unknown edition '%1'").arg(v);
            o.edition = v == QLatin1String("d") ? Edition::Difference : Edition::FourSplit;
        } else if (a == QLatin1String("--ini")) {
            o.ini = args[++i];
            if (o.ini.isEmpty())
                return QStringLiteral("--ini needs a file name");
        } else if (a == QLatin1String("--companion")) {
            const QString v = args[++i];
            if (v != QLatin1String("present") && v != QLatin1String("absent"))
                return QStringLiteral("unknown companion state '%1'").arg(v);
            o.companionPresent = v == QLatin1String("present");
        } else if (a.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else if (haveScript) {
            return QStringLiteral("more than one script");
        } else {
            o.script = a;
            haveScript = true;
        }
    }
    if (!haveScript)
        return QStringLiteral("no script");
    return o;
}

} // namespace zorvat
