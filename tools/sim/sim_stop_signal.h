// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvat::sim {

// Catches SIGINT, SIGTERM and SIGHUP. Returns a descriptor that becomes readable on a stop,
// so a poll() waiting for other things wakes up too.
int installStopSignals();

bool stopRequested();

} // namespace zorvat::sim
