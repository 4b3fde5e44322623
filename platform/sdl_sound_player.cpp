// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl_sound_player.h"

#include "installed_data.h"
#include "system_clock.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <algorithm>

#ifdef __linux__
#include <dlfcn.h>
#endif

namespace zorvat {

namespace {
// Slack over the sound's length before playSync gives up on a device that never reports the end.
constexpr qint64 kEndMarginMs = 250;

// alsa-lib prints its own errors to stderr, e.g. on a machine without a sound card. SDL loads it
// at run time, so its handler is switched off through the same library, which stays loaded.
#ifdef __linux__
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif

void silenceAlsa() {
#ifdef __linux__
    using Handler = decltype(&ignoreAlsaError);
    void* alsa = dlopen("libasound.so.2", RTLD_NOW);
    if (!alsa)
        return;
    if (auto set = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(ignoreAlsaError);
#endif
}
} // namespace

SdlSoundPlayer::SdlSoundPlayer()
    : ownClock_(std::make_unique<SystemClock>()), setup_{programFolders(), *ownClock_,
                                                         [] { QApplication::beep(); }} {}

SdlSoundPlayer::SdlSoundPlayer(Setup setup) : setup_(std::move(setup)) {}

QStringList SdlSoundPlayer::programFolders() {
    return {QStringLiteral("."), QCoreApplication::applicationDirPath(), installedDataFolder()};
}

SdlSoundPlayer::~SdlSoundPlayer() {
    if (audio_ != Audio::Open)
        return;
    Mix_HaltChannel(-1);
    for (const Playing& p : async_)
        Mix_FreeChunk(p.chunk);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::open() {
    if (audio_ != Audio::Unopened)
        return audio_ == Audio::Open;
    audio_ = Audio::Failed;
    // Audio pulls in SDL's event loop, whose SIGINT/SIGTERM handlers would swallow Ctrl+C.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    silenceAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, MIX_DEFAULT_CHANNELS, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int frequency = 0;
    int channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    bytesPerSecond_ = frequency * channels * (SDL_AUDIO_BITSIZE(format) / 8);
    audio_ = Audio::Open;
    return true;
}

// The first folder that holds the file; empty when none does. A path is taken as it is.
QString SdlSoundPlayer::locate(const QString& file) const {
    if (!QDir::isRelativePath(file))
        return QFile::exists(file) ? file : QString();
    for (const QString& folder : setup_.folders) {
        const QString path = QDir(folder).filePath(file);
        if (QFile::exists(path))
            return path;
    }
    return {};
}

SdlSoundPlayer::Playing SdlSoundPlayer::start(const QString& file) {
    if (!open())
        return {};
    freeFinished();
    const QString path = locate(file);
    Mix_Chunk* chunk = path.isEmpty() ? nullptr : Mix_LoadWAV(QFile::encodeName(path).constData());
    if (!chunk) {
        // As the platform does for a sound it cannot play.
        setup_.alert();
        return {};
    }
    const int channel = Mix_PlayChannel(-1, chunk, 0);
    if (channel < 0) {
        Mix_FreeChunk(chunk);
        return {};
    }
    return {channel, chunk};
}

// Runs before every new play, so a finished sound's channel has not been reused yet.
void SdlSoundPlayer::freeFinished() {
    std::erase_if(async_, [](const Playing& p) {
        if (Mix_Playing(p.channel))
            return false;
        Mix_FreeChunk(p.chunk);
        return true;
    });
}

void SdlSoundPlayer::playSync(const QString& file) {
    const Playing p = start(file);
    if (!p.chunk)
        return;
    const qint64 lengthMs =
        bytesPerSecond_ > 0 ? qint64{p.chunk->alen} * 1000 / bytesPerSecond_ : 0;
    Clock& clock = setup_.clock;
    const qint64 deadline =
        clock.monotonicMs() + std::min<qint64>(lengthMs + kEndMarginMs, kLongestWaitMs);
    while (Mix_Playing(p.channel) && clock.monotonicMs() < deadline)
        clock.sleepMs(5);
    Mix_FreeChunk(p.chunk); // also halts it if it runs on past the wait
}

void SdlSoundPlayer::playAsync(const QString& file) {
    const Playing p = start(file);
    if (p.chunk)
        async_.push_back(p);
}

} // namespace zorvat
