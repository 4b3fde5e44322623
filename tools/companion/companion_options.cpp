// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion_options.h"

namespace zorvat::companion {

namespace {

std::optional<int> toInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<int> toCount(const QString& text) {
    const std::optional<int> value = toInt(text);
    return value && *value > 0 ? value : std::nullopt;
}

// MSG or MSG:W:L.
std::optional<WindowMessage> toMessage(const QString& text) {
    const QStringList parts = text.split(u':');
    if (parts.size() != 1 && parts.size() != 3)
        return std::nullopt;
    WindowMessage message;
    int* const fields[] = {&message.msg, &message.wParam, &message.lParam};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::optional<int> value = toInt(parts[i]);
        if (!value)
            return std::nullopt;
        *fields[i] = *value;
    }
    return message;
}

} // namespace

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Stands in for the companion results program on the session bus and logs every\n"
        "message it receives as 'MSG WPARAM LPARAM' on stdout."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {"hang", "Receive messages but never answer."},
        {"send", "Send to the program once it is there (repeatable).", "MSG[:W:L]"},
        {"send-on", "On receiving MSG, send REQUEST before answering (repeatable).", "MSG=REQUEST"},
        {"actual", "Write FILE with --line1 and --line2 before sending 1493.", "FILE"},
        {"line1", "Line 1 of the --actual file: the team name.", "TEXT"},
        {"line2", "Line 2 of the --actual file: the moving text.", "TEXT"},
        {"exit-after", "Quit after N messages received.", "N"},
        {"timeout", "Quit after MS milliseconds in any case.", "MS"},
    });
}

OptionsResult readOptions(const QCommandLineParser& parser) {
    OptionsResult result;
    Options& o = result.options;
    const auto fail = [&](const QString& what) {
        result.error = what;
        return result;
    };
    if (!parser.positionalArguments().isEmpty())
        return fail(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    o.hang = parser.isSet(QStringLiteral("hang"));
    for (const QString& text : parser.values(QStringLiteral("send"))) {
        const std::optional<WindowMessage> m = toMessage(text);
        if (!m)
            return fail(QStringLiteral("--send needs MSG or MSG:W:L"));
        o.sends.push_back(*m);
    }
    for (const QString& text : parser.values(QStringLiteral("send-on"))) {
        const QStringList pair = text.split(u'=');
        const std::optional<int> trigger = pair.size() == 2 ? toInt(pair[0]) : std::nullopt;
        const std::optional<WindowMessage> m = trigger ? toMessage(pair[1]) : std::nullopt;
        if (!m)
            return fail(QStringLiteral("--send-on needs MSG=REQUEST"));
        o.sendOn[*trigger] = *m;
    }
    if (parser.isSet(QStringLiteral("actual"))) {
        o.actual = ActualFile{parser.value(QStringLiteral("actual")),
                              parser.value(QStringLiteral("line1")),
                              parser.value(QStringLiteral("line2"))};
    } else if (parser.isSet(QStringLiteral("line1")) || parser.isSet(QStringLiteral("line2"))) {
        return fail(QStringLiteral("--line1 and --line2 need --actual"));
    }
    for (const auto& [name, into] :
         {std::pair{"exit-after", &o.exitAfter}, std::pair{"timeout", &o.timeoutMs}}) {
        const QString option = QLatin1String(name);
        if (!parser.isSet(option))
            continue;
        const std::optional<int> n = toCount(parser.value(option));
        if (!n)
            return fail(QStringLiteral("--") + option + QStringLiteral(" needs a positive number"));
        *into = *n;
    }
    return result;
}

} // namespace zorvat::companion
