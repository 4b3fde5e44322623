// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock.h"
#include "sound_player.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

struct Mix_Chunk;

namespace zorvat {

// Plays WAV files through the SDL mixer. The audio device is opened on the first play, so the
// program starts even where SDL audio is broken. Use from one thread only.
//
// A bare file name is looked up in the given folders in order. A file found nowhere, or one
// that is no playable WAV, plays the system's alert sound instead; a machine without a sound
// device plays nothing. A synchronous sound is waited for until its end, and never longer than
// kLongestWaitMs: a long file must not freeze the window.
class SdlSoundPlayer final : public SoundPlayer {
public:
    static constexpr int kLongestWaitMs = 10'000;

    struct Setup {
        QStringList folders;         // searched in this order for a bare file name
        Clock& clock;                // times the wait for a synchronous sound
        std::function<void()> alert; // the system's default sound
    };

    // The program's player: the working directory, then the executable's folder, then an
    // installed copy's data folder; the system clock and QApplication::beep.
    SdlSoundPlayer();
    explicit SdlSoundPlayer(Setup setup);
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void playSync(const QString& file) override;
    void playAsync(const QString& file) override;

    // The working directory, then the executable's folder, then the installed data folder.
    static QStringList programFolders();

private:
    struct Playing {
        int channel = -1;
        Mix_Chunk* chunk = nullptr;
    };

    bool open();
    QString locate(const QString& file) const;
    Playing start(const QString& file);
    void freeFinished();

    std::unique_ptr<Clock> ownClock_;
    Setup setup_;
    enum class Audio { Unopened, Open, Failed } audio_ = Audio::Unopened;
    int bytesPerSecond_ = 0;
    std::vector<Playing> async_;
};

} // namespace zorvat
