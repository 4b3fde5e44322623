// SPDX-License-Identifier: GPL-3.0-or-later
// A scripted run of the program: offscreen, in virtual time, with fakes for the outside world.
#include "command_line.h"
#include "replay_options.h"
#include "replay_run.h"
#include "replay_script.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

using namespace zorvat;

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 2;
}

std::optional<QByteArray> readScript(const QString& path) {
    QFile f;
    const bool open = path == QLatin1String("-")
                          ? f.open(stdin, QIODevice::ReadOnly)
                          : (f.setFileName(path), f.open(QIODevice::ReadOnly));
    if (!open)
        return std::nullopt;
    return f.readAll();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QCommandLineParser parser;
    addReplayOptions(parser);
    if (const auto error = parseToolArguments(parser))
        return fail(*error + QStringLiteral("\nTry 'zorvat-replay --help'."));
    const auto parsed = readReplayOptions(parser);
    if (const auto* why = std::get_if<QString>(&parsed))
        return fail(*why + QStringLiteral("\nTry 'zorvat-replay --help'."));
    const ReplayOptions& options = std::get<ReplayOptions>(parsed);

    const std::optional<QByteArray> text = readScript(options.script);
    if (!text)
        return fail(QStringLiteral("cannot read %1").arg(options.script));
    const Script script = parseScript(QString::fromUtf8(*text));
    if (script.error)
        return fail(
            QStringLiteral("line %1: %2").arg(script.error->line).arg(script.error->message));

    // Without --ini the settings live in a directory removed at exit.
    std::optional<QTemporaryDir> scratch;
    QString ini = options.ini;
    if (ini.isEmpty()) {
        scratch.emplace();
        if (!scratch->isValid())
            return fail(QStringLiteral("cannot create a temporary directory"));
        ini = scratch->filePath(QStringLiteral("kq.ini"));
    }

    QFile out;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    Replay replay(options, ini);
    if (const auto error = replay.run(script.commands, out))
        return fail(QStringLiteral("line %1: %2").arg(error->line).arg(error->message));
    return 0;
}
