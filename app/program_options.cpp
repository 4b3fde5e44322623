// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_options.h"

#include "zorvat_version.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

namespace zorvat {

std::optional<int> answerProgramOptions(int argc, char** argv, Edition edition) {
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // Qt's own options have one dash and long names: "-reverse" is not "-r -e -v ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOptions({help, version});
    parser.parse(args);

    const QString name = QFileInfo(args.value(0)).fileName();
    QTextStream out(stdout);
    if (parser.isSet(help)) {
        out << QStringLiteral("Použití: %1 [volby]\n").arg(name)
            << QStringLiteral("Zorvat, program pro stůl časoměřiče na soutěžích v požárním sportu")
            << (edition == Edition::Difference ? QStringLiteral(", edice s rozdílem mezičasů.\n")
                                               : QStringLiteral(", edice se čtyřmi mezičasy.\n"))
            << QStringLiteral("\nVolby:\n"
                              "  -h, --help     Vypíše tuto nápovědu.\n"
                              "  -v, --version  Vypíše verzi programu.\n"
                              "\nOstatní volby (například -platform) zpracuje Qt.\n");
        return 0;
    }
    if (parser.isSet(version)) {
        out << name << ' ' << ZORVAT_VERSION << '\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace zorvat
