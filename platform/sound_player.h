// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvat {

// WAV playback. A file that cannot be played gives the system's alert sound instead, a machine
// without sound plays nothing; nothing is reported.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Returns when the sound has ended.
    virtual void playSync(const QString& file) = 0;
    // Starts the sound and returns at once.
    virtual void playAsync(const QString& file) = 0;
};

} // namespace zorvat
