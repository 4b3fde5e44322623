// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board_layout.h"

namespace zorvat {

// Measures texts with the board's font (bold Arial) as the board's labels show them: the
// advance width of the text and the height of one line. The layout measures the same few
// texts at hundreds of sizes on every resize step, so widths are kept per size and text.
MeasureText boardTextMeasure();

} // namespace zorvat
