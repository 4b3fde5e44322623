// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <optional>

class QKeyEvent;

namespace zorvat {

class Clock;

// The moment a key went down on the monotonic clock, from the event's own stamp: X11 and
// Wayland stamp key events in milliseconds of that clock, in 32 bits that wrap. A stamp in
// the future or older than a minute is not believed.
std::optional<qint64> keyPressMoment(quint64 eventStamp, qint64 nowMs);

// The same for an event of this platform; none where the platform's stamps are on another
// clock, so the caller takes the moment it handles the key.
std::optional<qint64> keyPressMoment(const QKeyEvent& event, const Clock& clock);

} // namespace zorvat
