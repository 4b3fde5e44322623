// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_sound_player.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

namespace zorvat {

namespace {

void play(const QString& file, DWORD how) {
    // Without SND_NODEFAULT a missing file plays the default sound.
    PlaySoundW(reinterpret_cast<LPCWSTR>(file.utf16()), nullptr, SND_FILENAME | how);
}

} // namespace

void Win32SoundPlayer::playSync(const QString& file) {
    play(file, SND_SYNC);
}

void Win32SoundPlayer::playAsync(const QString& file) {
    play(file, SND_ASYNC);
}

} // namespace zorvat
