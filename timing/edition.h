// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvat {

// The two editions built from one source; handed to the main window, never an #ifdef.
enum class Edition { Difference, FourSplit };

} // namespace zorvat
