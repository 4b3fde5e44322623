// SPDX-License-Identifier: GPL-3.0-or-later
// zorvat-sim: plays the timing device on a pseudo-terminal or a tty, for working without one.
#include "sim_link.h"
#include "sim_loop.h"
#include "sim_options.h"
#include "sim_stop_signal.h"

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

int badArguments(const std::string& error) {
    std::cerr << "zorvat-sim: " << error << "\nTry 'zorvat-sim --help'.\n";
    return kExitBadArguments;
}

} // namespace

int main(int argc, char** argv) {
    const OptionsResult parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty())
        return badArguments(parsed.error);
    const Options& options = parsed.options;
    if (options.help) {
        std::cout << usageText();
        return 0;
    }

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
            return badArguments("cannot read script " + options.scriptPath);
        ScriptResult script = parseScript(text.str());
        if (!script.error.empty())
            return badArguments(options.scriptPath + " " + script.error);
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
