// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

namespace zorvat {

// True when a process other than this one has the character device rdev open. A plain open by
// a terminal program or a logger takes no lock, so the open files are the only witness.
bool heldByAnotherProcess(dev_t rdev);

} // namespace zorvat
