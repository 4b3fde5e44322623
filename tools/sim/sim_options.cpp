// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_options.h"

#include "sim_hex.h"

#include <QFile>

namespace zorvat::sim {

namespace {

// Longer waits are almost certainly a typo.
constexpr long long kLongestWaitMs = 3'600'000;

// Reads one option's value, or says what is wrong with it.
class Reader {
public:
    explicit Reader(const QCommandLineParser& parser) : parser_(parser) {}

    bool isSet(const char* option) const { return parser_.isSet(QLatin1String(option)); }
    const QString& error() const { return error_; }

    std::optional<long long> number(const char* option, long long least, long long most) {
        const QString v = value(option);
        bool ok = false;
        const long long n = v.toLongLong(&ok);
        if (ok && n >= least && n <= most && !v.startsWith(u'+'))
            return n;
        error_ = QStringLiteral("%1 needs a whole number from %2 to %3, not '%4'")
                     .arg(name(option))
                     .arg(least)
                     .arg(most)
                     .arg(v);
        return std::nullopt;
    }

    std::optional<std::uint8_t> hexByte(const char* option) {
        const QString v = value(option);
        const std::optional<std::uint8_t> byte = parseHexByte(v.toStdString());
        if (!byte)
            error_ = QStringLiteral("%1 needs a hex byte, not '%2'").arg(name(option), v);
        return byte;
    }

    std::optional<std::string> path(const char* option) {
        const QString v = value(option);
        if (v.isEmpty()) {
            error_ = name(option) + QStringLiteral(" needs a path");
            return std::nullopt;
        }
        return QFile::encodeName(v).toStdString();
    }

private:
    static QString name(const char* option) { return QStringLiteral("--") + QLatin1String(option); }
    QString value(const char* option) const { return parser_.value(QLatin1String(option)); }

    const QCommandLineParser& parser_;
    QString error_;
};

} // namespace

void addOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "Plays the timing device on a serial line: sends its greeting, then script lines.\n"
        "Without --tty it opens a pseudo-terminal; the first line on stdout is\n"
        "\"PTY <slave path>\". Versions before 466 send the mode nibbles exchanged and the\n"
        "target as 01/02. A reset (AA) follows the greeting.\n"
        "\n"
        "Script (--script FILE, otherwise stdin), one command a line, '#' starts a comment:\n"
        "  AB        hex bytes separated by spaces (\"BA 01 01 23 45\", 0xAB also works)\n"
        "  wait MS   pause for MS milliseconds\n"
        "  greet     send the greeting again\n"
        "  attempt   play one attempt with the course of --mode (see below)\n"
        "  quit      exit\n"
        "The script runs while the device is switched on. At its end the simulator keeps\n"
        "the port open until SIGINT or SIGTERM.\n"
        "\n"
        "An attempt sends AA (reset), 55 (preparation), AB (start), then D1..DF as targets\n"
        "or tracks finish (attacks 14-30 s a target, tracks 12-25 s), and right after the\n"
        "last one each time as BA and the bytes of the version's layout. Switching off drops\n"
        "the rest of an attempt.\n"
        "\n"
        "Exit status: 0 on quit or a signal, 1 when the port fails, 2 on invalid arguments."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {"firmware", "Firmware version: 454 456 457 458 462 463 466 467 468 469 470 (default 466).",
         "V"},
        {"mode", "Mode byte as the program stores it (default 51: one track, 5:00).", "HH"},
        {"target",
         "Target byte: A1 opening or A2 closing contacts (default A1); for 467 the "
         "preparation minutes as two BCD digits (default 05).",
         "HH"},
        {"flag", "Time flag: AE time yes, AC time no (default AE).", "HH"},
        {"link",
         "Also make PATH a symbolic link to the pseudo-terminal's slave (replaced if it is "
         "one; removed at exit).",
         "PATH"},
        {"tty", "Write to an existing tty instead (raw, 9600 8N1).", "PATH"},
        {"on-open",
         "Greet once the slave has stayed open 300 ms, and again each time it is reopened "
         "(default with a pseudo-terminal)."},
        {"on-now", "Greet at once (default with --tty)."},
        {"script", "Read the script from FILE instead of stdin.", "FILE"},
        {"demo",
         "Once the script has run, play attempts one after another for good; lines typed on "
         "stdin run between two attempts."},
        {"seed",
         "Make the times reproducible: the first attempt uses seed N, the next N+1 and so on "
         "(default: a fresh seed; each attempt logs its own on stderr).",
         "N"},
        {"preparation",
         "Wait between preparation start and start (default 3000; the program counts down "
         "the minutes of the mode byte by itself).",
         "MS"},
        {"pause", "Pause between attempts of the demo (default 5000).", "MS"},
        {"speed",
         "Divide every wait of attempts and the demo by N, for quick checks; the times sent "
         "stay real (default 1).",
         "N"},
    });
}

OptionsResult readOptions(const QCommandLineParser& parser) {
    OptionsResult result;
    Options& options = result.options;
    Reader read(parser);
    const auto failed = [&] {
        result.error = read.error();
        return result;
    };
    if (!parser.positionalArguments().isEmpty()) {
        result.error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        return result;
    }
    if (read.isSet("firmware")) {
        const std::optional<long long> version = read.number("firmware", 0, 999);
        if (!version || !isFirmwareVersion(static_cast<int>(*version))) {
            result.error = QStringLiteral("unknown firmware version '%1'")
                               .arg(parser.value(QStringLiteral("firmware")));
            return result;
        }
        options.greeting.version = static_cast<int>(*version);
    }
    for (const auto& [option, into] : {std::pair{"mode", &options.greeting.mode},
                                       std::pair{"flag", &options.greeting.timeFlag}}) {
        if (!read.isSet(option))
            continue;
        const std::optional<std::uint8_t> byte = read.hexByte(option);
        if (!byte)
            return failed();
        *into = *byte;
    }
    std::optional<std::uint8_t> target;
    if (read.isSet("target") && !(target = read.hexByte("target")))
        return failed();
    for (const auto& [option, into] :
         {std::pair{"tty", &options.ttyPath}, std::pair{"link", &options.linkPath},
          std::pair{"script", &options.scriptPath}}) {
        if (!read.isSet(option))
            continue;
        const std::optional<std::string> path = read.path(option);
        if (!path)
            return failed();
        *into = *path;
    }
    if (read.isSet("seed")) {
        const std::optional<long long> n = read.number("seed", 0, 4'294'967'295);
        if (!n)
            return failed();
        options.seed = static_cast<std::uint32_t>(*n);
    }
    for (const auto& [option, into] : {std::pair{"preparation", &options.pace.preparation},
                                       std::pair{"pause", &options.pace.pause}}) {
        if (!read.isSet(option))
            continue;
        const std::optional<long long> ms = read.number(option, 0, kLongestWaitMs);
        if (!ms)
            return failed();
        *into = std::chrono::milliseconds(*ms);
    }
    if (read.isSet("speed")) {
        const std::optional<long long> n = read.number("speed", 1, 1000);
        if (!n)
            return failed();
        options.pace.speed = static_cast<int>(*n);
    }
    options.demo = read.isSet("demo");
    const bool onOpen = read.isSet("on-open");
    const bool onNow = read.isSet("on-now");

    options.greeting.target = target.value_or(defaultTarget(options.greeting.version));
    if (onOpen && onNow)
        result.error = QStringLiteral("--on-open and --on-now exclude each other");
    else if (!options.ttyPath.empty() && !options.linkPath.empty())
        result.error = QStringLiteral("--tty and --link exclude each other");
    else if (!options.ttyPath.empty() && onOpen)
        result.error = QStringLiteral("--on-open needs a pseudo-terminal; use --on-now with --tty");
    else
        result.error = QString::fromStdString(greetingProblem(options.greeting));
    options.greetOnOpen = options.ttyPath.empty() && !onNow;
    return result;
}

OptionsResult parseOptions(const QStringList& args) {
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("zorvat-sim")} + args))
        return {{}, parser.errorText()};
    return readOptions(parser);
}

} // namespace zorvat::sim
