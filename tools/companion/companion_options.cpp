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

OptionsResult parseOptions(const QStringList& args) {
    OptionsResult result;
    Options& o = result.options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& option = args[i];
        const auto value = [&](qsizetype ahead = 1) -> const QString* {
            return i + ahead < args.size() ? &args[i + ahead] : nullptr;
        };
        const auto fail = [&](const QString& what) {
            result.error = what;
            return result;
        };
        if (option == u"--hang") {
            o.hang = true;
        } else if (option == u"--send") {
            const std::optional<WindowMessage> m = value() ? toMessage(*value()) : std::nullopt;
            if (!m)
                return fail(QStringLiteral("--send needs MSG or MSG:W:L"));
            o.sends.push_back(*m);
            ++i;
        } else if (option == u"--send-on") {
            const QStringList pair = value() ? value()->split(u'=') : QStringList();
            const std::optional<int> trigger = pair.size() == 2 ? toInt(pair[0]) : std::nullopt;
            const std::optional<WindowMessage> m = trigger ? toMessage(pair[1]) : std::nullopt;
            if (!m)
                return fail(QStringLiteral("--send-on needs MSG=REQUEST"));
            o.sendOn[*trigger] = *m;
            ++i;
        } else if (option == u"--actual") {
            if (!value(3))
                return fail(QStringLiteral("--actual needs FILE LINE1 LINE2"));
            o.actual = ActualFile{*value(1), *value(2), *value(3)};
            i += 3;
        } else if (option == u"--exit-after" || option == u"--timeout") {
            const std::optional<int> n = value() ? toCount(*value()) : std::nullopt;
            if (!n)
                return fail(option + QStringLiteral(" needs a positive number"));
            (option == u"--exit-after" ? o.exitAfter : o.timeoutMs) = *n;
            ++i;
        } else {
            return fail(QStringLiteral("unknown option ") + option);
        }
    }
    return result;
}

QString usageText() {
    return QStringLiteral(
        "Usage: zorvat-companion [options]\n"
        "Stands in for the companion results program on the session bus and logs every\n"
        "message it receives as 'MSG WPARAM LPARAM' on stdout.\n"
        "  --hang                 receive messages but never answer\n"
        "  --send MSG[:W:L]       send to the program once it is there (repeatable)\n"
        "  --send-on MSG=REQUEST  on receiving MSG, send REQUEST before answering\n"
        "  --actual FILE L1 L2    write FILE with the two lines before sending 1493\n"
        "  --exit-after N         quit after N messages received\n"
        "  --timeout MS           quit after MS milliseconds in any case\n");
}

} // namespace zorvat::companion
