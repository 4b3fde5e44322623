// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_options.h"

#include "journal.h"

#include <QCommandLineParser>

namespace zorvat {

namespace {

using Command = JournalToolOptions::Command;

std::optional<Command> commandNamed(const QString& name) {
    if (name == u"sessions")
        return Command::Sessions;
    if (name == u"results")
        return Command::Results;
    if (name == u"stream")
        return Command::Stream;
    return std::nullopt;
}

// QCommandLineParser's own messages are English; ours say the same in Czech.
QString parseError(const QCommandLineParser& parser, const QStringList& args) {
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("neznámá volba %1").arg(parser.unknownOptionNames().first());
    for (const QString& option : {QStringLiteral("--data"), QStringLiteral("--out")})
        if (!args.isEmpty() && args.last() == option)
            return QStringLiteral("volba %1 potřebuje hodnotu").arg(option);
    return parser.errorText();
}

} // namespace

std::variant<JournalToolOptions, QString> parseJournalToolOptions(const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption data(QStringLiteral("data"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption out(QStringLiteral("out"), QString(), QStringLiteral("FILE"));
    parser.addOptions({help, version, data, out});
    if (!parser.parse(QStringList{QStringLiteral("zorvat-journal")} + args))
        return parseError(parser, args);

    JournalToolOptions options;
    if (parser.isSet(help))
        return options;
    if (parser.isSet(version)) {
        options.command = Command::Version;
        return options;
    }
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return QStringLiteral("chybí příkaz (sessions, results nebo stream)");
    const std::optional<Command> command = commandNamed(words.first());
    if (!command)
        return QStringLiteral("neznámý příkaz %1").arg(words.first());
    options.command = *command;

    const qsizetype mostWords = *command == Command::Sessions ? 1 : 2;
    if (words.size() > mostWords)
        return QStringLiteral("nadbytečný argument %1").arg(words[mostWords]);
    if (words.size() == 2) {
        bool ok = false;
        options.session = words[1].toLongLong(&ok);
        if (!ok || *options.session < 1)
            return QStringLiteral("%1 není číslo relace").arg(words[1]);
    }
    if (parser.isSet(out) && *command == Command::Sessions)
        return QStringLiteral("--out patří jen k příkazům results a stream");
    options.out = parser.value(out);
    options.folder = parser.isSet(data) ? parser.value(data) : Journal::defaultFolder();
    if (options.folder.isEmpty())
        return QStringLiteral("volba --data potřebuje složku");
    return options;
}

QString journalToolUsage() {
    return QStringLiteral(
               "Použití: zorvat-journal [--data SLOŽKA] PŘÍKAZ [RELACE] [--out SOUBOR]\n"
               "Vypisuje deník výsledků (journal.sqlite) ze složky dat.\n"
               "\n"
               "Příkazy:\n"
               "  sessions          relace: číslo, začátek, konec nebo „neukončená“, počet "
               "výsledků\n"
               "  results [RELACE]  výsledková listina relace jako CSV pro tabulkové "
               "procesory\n"
               "                    (UTF-8 s BOM, středníky, desetinné čárky; výchozí je "
               "poslední relace)\n"
               "  stream [RELACE]   bajty ze zařízení jako skript pro zorvat-sim --script\n"
               "\n"
               "Volby:\n"
               "  --data SLOŽKA     složka dat (výchozí %1)\n"
               "  --out SOUBOR      zapsat do souboru místo na standardní výstup\n"
               "  -h, --help        tato nápověda\n"
               "  --version         verze programu\n"
               "\n"
               "Návratový kód: 0 v pořádku, 1 chyba deníku nebo zápisu, 2 chybné argumenty.\n")
        .arg(Journal::defaultFolder());
}

} // namespace zorvat
