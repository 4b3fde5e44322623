// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_stop_signal.h"

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace zorvat::sim {

namespace {

volatile std::sig_atomic_t stopFlag = 0;
int wakeWriteFd = -1;

void onStopSignal(int) {
    stopFlag = 1;
    const char byte = 0;
    [[maybe_unused]] const ssize_t n = write(wakeWriteFd, &byte, 1);
}

} // namespace

int installStopSignals() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("cannot create the signal pipe");
    wakeWriteFd = fds[1];

    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a write blocked on a full line must return so the stop is seen.
    action.sa_flags = 0;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    return fds[0];
}

bool stopRequested() {
    return stopFlag != 0;
}

} // namespace zorvat::sim
