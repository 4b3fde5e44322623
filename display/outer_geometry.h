// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

namespace zorvat {

// Places a top-level window by its outer frame (position and size with title bar and
// borders), as the settings file stores it. The frame is known only once the window manager
// has framed the window, so the client size is corrected then; without a frame (offscreen,
// a bare X server) outer and client size are the same. Without the correction a window would
// grow by its title bar at every start.
void setOuterGeometry(QWidget* window, const QRect& outer);

// The outer frame as it is now, for writing back.
QRect outerGeometry(const QWidget* window);

} // namespace zorvat
