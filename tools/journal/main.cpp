// SPDX-License-Identifier: GPL-3.0-or-later
// zorvat-journal: lists the sessions of the results journal and exports a session's results
// (CSV) or its device bytes (a zorvat-sim script).
#include "journal_options.h"
#include "journal_run.h"
#include "save_file.h"
#include "zorvat_version.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

using namespace zorvat;

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;

int fail(int code, const QString& message) {
    std::fprintf(stderr, "zorvat-journal: %s\n", message.toUtf8().constData());
    return code;
}

void print(const QByteArray& text) {
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto parsed = parseJournalToolOptions(app.arguments().mid(1));
    if (const QString* why = std::get_if<QString>(&parsed))
        return fail(kExitBadArguments, *why + QStringLiteral(" (nápověda: zorvat-journal --help)"));
    const JournalToolOptions& options = std::get<JournalToolOptions>(parsed);

    using Command = JournalToolOptions::Command;
    if (options.command == Command::Help) {
        print(journalToolUsage().toUtf8());
        return 0;
    }
    if (options.command == Command::Version) {
        print(QByteArrayLiteral("zorvat-journal " ZORVAT_VERSION "\n"));
        return 0;
    }

    const auto output = runJournalCommand(options);
    if (const QString* why = std::get_if<QString>(&output))
        return fail(kExitFailed, *why);
    const QByteArray& text = std::get<QByteArray>(output);
    if (options.out.isEmpty()) {
        print(text);
        return std::fflush(stdout) == 0 ? 0 : kExitFailed;
    }
    if (const std::optional<QString> why = saveFile(options.out, text))
        return fail(kExitFailed, QStringLiteral("nelze zapsat %1: %2").arg(options.out, *why));
    return 0;
}
