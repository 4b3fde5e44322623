// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Input as the X server delivers it, through XTest (xdotool): it reaches whichever window and
// widget hold the focus. Each call returns once the server has the events; Qt sees them when
// it next processes events.
namespace x11 {

// keys as xdotool names them: "space", "ctrl+space", "x".
bool key(const char* keys);

// A left click in the middle of the widget.
bool click(const QWidget* widget);

} // namespace x11
