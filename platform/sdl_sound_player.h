// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound_player.h"

#include <vector>

struct Mix_Chunk;

namespace zorvat {

// Plays WAV files through the SDL mixer. The audio device is opened on the first play, so the
// program starts even where SDL audio is broken. Use from one thread only.
class SdlSoundPlayer final : public SoundPlayer {
public:
    SdlSoundPlayer() = default;
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void playSync(const QString& file) override;
    void playAsync(const QString& file) override;

private:
    struct Playing {
        int channel = -1;
        Mix_Chunk* chunk = nullptr;
    };

    bool open();
    Playing start(const QString& file);
    void freeFinished();

    enum class Audio { Unopened, Open, Failed } audio_ = Audio::Unopened;
    int bytesPerSecond_ = 0;
    std::vector<Playing> async_;
};

} // namespace zorvat
