// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound_player.h"

namespace zorvat {

// WAV playback on Windows through the system's own player. File names go to it as given, so it
// looks them up as the system does, starting with the working directory; a file it cannot
// find or play gives the system's default sound.
class Win32SoundPlayer final : public SoundPlayer {
public:
    void playSync(const QString& file) override;
    void playAsync(const QString& file) override;
};

} // namespace zorvat
