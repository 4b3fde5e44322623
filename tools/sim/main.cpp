// SPDX-License-Identifier: GPL-3.0-or-later
// zorvat-sim: plays the timing device on a pseudo-terminal or a tty, for working without one.
#include "command_line.h"
#include "sim_link.h"
#include "sim_loop.h"
#include "sim_options.h"
#include "sim_stop_signal.h"

#include <QCoreApplication>
#include <QFile>

#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace zorvat::sim;

namespace {

constexpr int kExitRuntimeError = 1;
constexpr int kExitBadArguments = 2;

int badArguments(const QString& error) {
    std::cerr << "zorvat-sim: " << error.toStdString() << "\nTry 'zorvat-sim --help'.\n";
    return kExitBadArguments;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    addOptions(parser);
    if (const auto error = zorvat::parseToolArguments(parser))
        return badArguments(*error);
    const OptionsResult parsed = readOptions(parser);
    if (!parsed.error.isEmpty())
        return badArguments(parsed.error);
    const Options& options = parsed.options;

    LoopSetup setup;
    setup.greeting = greetingBytes(options.greeting);
    setup.greetOnOpen = options.greetOnOpen;
    setup.attempts = {options.greeting.version, options.greeting.mode, options.pace,
                      options.seed.value_or(std::random_device()()), options.demo};
    if (options.scriptPath.empty()) {
        setup.inputFd = STDIN_FILENO;
    } else {
        std::ifstream file(options.scriptPath);
        std::ostringstream text;
        text << file.rdbuf();
        if (!file)
            return badArguments(QStringLiteral("cannot read script ") +
                                QFile::decodeName(options.scriptPath.c_str()));
        ScriptResult script = parseScript(text.str());
        if (!script.error.empty())
            return badArguments(QFile::decodeName(options.scriptPath.c_str()) + u' ' +
                                QString::fromStdString(script.error));
        setup.script = std::move(script.commands);
    }

    try {
        setup.stopFd = installStopSignals();
        DevicePort port = options.ttyPath.empty() ? DevicePort::openPseudoTerminal()
                                                  : DevicePort::openTty(options.ttyPath);
        std::unique_ptr<PortLink> link;
        if (!options.linkPath.empty())
            link = std::make_unique<PortLink>(options.linkPath, port.programSidePath());
        if (options.ttyPath.empty())
            std::cout << "PTY " << port.programSidePath() << std::endl;
        runDevice(port, std::move(setup));
    } catch (const std::exception& e) {
        std::cerr << "zorvat-sim: " << e.what() << '\n';
        return kExitRuntimeError;
    }
    return 0;
}
