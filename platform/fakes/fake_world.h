// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fake_clipboard.h"
#include "fake_companion.h"
#include "fake_error_box.h"
#include "fake_serial_port.h"
#include "fake_sound_player.h"
#include "virtual_time.h"

namespace zorvat {

// Everything outside the process, faked, in virtual time that starts at a fixed local moment
// (13 June 2026, 09:59:00.000) and moves only when told.
struct FakeWorld {
    VirtualTime time{QDateTime(QDate(2026, 6, 13), QTime(9, 59))};
    FakeSerialPort serial;
    FakeErrorBox errors;
    FakeCompanion companion;
    FakeClipboard clipboard;
    FakeSoundPlayer sounds;

    FakeWorld() { serial.clock = &time; }
    FakeWorld(const FakeWorld&) = delete;
    FakeWorld& operator=(const FakeWorld&) = delete;
};

} // namespace zorvat
