// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clipboard.h"
#include "clock.h"
#include "companion.h"
#include "error_box.h"
#include "serial_port.h"
#include "sound_player.h"
#include "timer.h"

namespace zorvat {

// Everything outside the process that the main window talks to; real adapters in the
// program, fakes in tests and scripted runs.
struct Services {
    Clock& clock;
    TimerFactory& timers;
    SerialPort& serial;
    ErrorBox& errors;
    Companion& companion;
    Clipboard& clipboard;
    SoundPlayer& sounds;
};

} // namespace zorvat
