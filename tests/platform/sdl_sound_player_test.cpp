// SPDX-License-Identifier: GPL-3.0-or-later
#include "installed_data.h"
#include "scoped_env.h"
#include "sdl_sound_player.h"
#include "system_clock.h"
#include "virtual_time.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>

namespace zorvat {
namespace {

// Silent 16-bit mono PCM at 22050 Hz.
QByteArray silentWav(int ms) {
    constexpr quint32 rate = 22050;
    const quint32 dataBytes = rate * ms / 1000 * 2;
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("RIFF", 4);
    s << quint32(36 + dataBytes);
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    s.writeRawData("data", 4);
    s << dataBytes;
    bytes.append(QByteArray(dataBytes, '\0'));
    return bytes;
}

qint64 msTaken(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.elapsed();
}

// Real audio time on SDL's dummy driver, which needs no sound card.
class SdlSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        write("blip.wav", silentWav(100));
        write("short.wav", silentWav(300));
        write("long.wav", silentWav(1000));
        write("corrupt.wav", QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) + QByteArray(40, '\x7f'));
        write("empty.wav", {});
    }
    QString path(const char* name) const { return dir_.filePath(name); }
    SdlSoundPlayer::Setup setup(QStringList folders, std::function<void()> alert) {
        return {std::move(folders), clock_, std::move(alert)};
    }
    void write(const char* name, const QByteArray& bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    ScopedEnv driver_{"SDL_AUDIODRIVER", "dummy"};
    QTemporaryDir dir_;
    SystemClock clock_;
};

TEST_F(SdlSoundPlayerTest, PlaySyncReturnsWhenTheSoundHasEnded) {
    SdlSoundPlayer player;
    const qint64 ms = msTaken([&] { player.playSync(path("short.wav")); });
    EXPECT_GE(ms, 250);
    EXPECT_LT(ms, 1500);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SdlSoundPlayerTest, PlayAsyncReturnsAtOnceAndKeepsPlaying) {
    const QString oldDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    {
        SdlSoundPlayer player;
        // Bare names are looked up in the working directory.
        EXPECT_LT(msTaken([&] { player.playAsync("short.wav"); }), 100);
        EXPECT_EQ(Mix_Playing(-1), 1);
        player.playAsync("short.wav");
        EXPECT_EQ(Mix_Playing(-1), 2) << "a second sound must not cut off the first";
    }
    QDir::setCurrent(oldDir);
}

TEST_F(SdlSoundPlayerTest, PlaySyncWaitsOnlyForItsOwnSound) {
    SdlSoundPlayer player;
    player.playAsync(path("long.wav"));
    const qint64 ms = msTaken([&] { player.playSync(path("blip.wav")); });
    EXPECT_GE(ms, 80);
    EXPECT_LT(ms, 300) << "waited past its own 100 ms, up to the give-up bound";
    EXPECT_EQ(Mix_Playing(-1), 1) << "the longer sound is still going";
}

TEST_F(SdlSoundPlayerTest, PlaySyncGivesUpWhenTheDeviceNeverReportsTheEnd) {
    SdlSoundPlayer player;
    player.playAsync(path("missing.wav")); // opens the device
    SDL_AudioDeviceID device = 0;
    for (SDL_AudioDeviceID id = 1; id < 16 && !device; ++id) {
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING)
            device = id;
    }
    ASSERT_NE(device, 0u);
    SDL_PauseAudioDevice(device, 1);
    const qint64 ms = msTaken([&] { player.playSync(path("short.wav")); });
    EXPECT_GE(ms, 500); // 300 ms of sound plus the margin
    EXPECT_LT(ms, 1500);
    EXPECT_EQ(Mix_Playing(-1), 0) << "the stuck sound is stopped";
}

// What the platform does with a sound file it cannot play: the system's default sound instead.
TEST_F(SdlSoundPlayerTest, UnplayableFilesPlayTheAlertAtOnce) {
    int alerts = 0;
    SdlSoundPlayer player(setup({dir_.path()}, [&] { ++alerts; }));
    for (const char* name : {"missing.wav", "corrupt.wav", "empty.wav"}) {
        for (const bool sync : {true, false}) {
            SCOPED_TRACE(std::string(name) + (sync ? " sync" : " async"));
            alerts = 0;
            testing::internal::CaptureStderr();
            const qint64 ms =
                msTaken([&] { sync ? player.playSync(path(name)) : player.playAsync(path(name)); });
            EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
            EXPECT_LT(ms, 100);
            EXPECT_EQ(Mix_Playing(-1), 0);
            EXPECT_EQ(alerts, 1);
        }
    }
}

TEST_F(SdlSoundPlayerTest, WithoutASoundDeviceNothingPlaysSilentlyAndALaterPlayerStillWorks) {
    struct Case {
        const char* driver;
        const char* device;
    };
    // An unknown driver fails in SDL; an unknown ALSA device fails inside alsa-lib, which would
    // print to stderr.
    for (const Case& c : {Case{"nonexistent", ""}, Case{"alsa", "zorvat_no_such_device"}}) {
        SCOPED_TRACE(c.driver);
        ScopedEnv driver("SDL_AUDIODRIVER", c.driver);
        ScopedEnv device("AUDIODEV", c.device);
        SdlSoundPlayer player;
        testing::internal::CaptureStderr();
        const qint64 ms = msTaken([&] {
            player.playSync(path("short.wav"));
            player.playAsync(path("short.wav"));
            player.playSync(path("short.wav"));
        });
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_LT(ms, 250);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    }
    SdlSoundPlayer player;
    player.playAsync(path("short.wav"));
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(SdlSoundPlayerTest, OpensAudioOnFirstPlayAndClosesItOnDestruction) {
    struct sigaction before {};
    ASSERT_EQ(sigaction(SIGINT, nullptr, &before), 0);
    {
        SdlSoundPlayer player;
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        player.playAsync(path("long.wav"));
        EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        struct sigaction after {};
        ASSERT_EQ(sigaction(SIGINT, nullptr, &after), 0);
        EXPECT_EQ(after.sa_handler, before.sa_handler) << "Ctrl+C must still reach the program";
    }
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVENTS), 0u);
}

// A file in a folder of the program's for one test, removed afterwards with the folders that
// were made for it.
class ProgramFile {
public:
    ProgramFile(const QString& folder, const char* name, const QByteArray& bytes)
        : folder_(folder), madeFolder_(!QDir(folder).exists()),
          path_(QDir(folder).filePath(QString::fromLatin1(name))) {
        QFile f(path_);
        ok_ =
            QDir().mkpath(folder) && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    ~ProgramFile() {
        QFile::remove(path_);
        if (madeFolder_)
            QDir().rmpath(folder_);
    }
    ProgramFile(const ProgramFile&) = delete;
    ProgramFile& operator=(const ProgramFile&) = delete;
    bool ok() const { return ok_; }

private:
    QString folder_;
    bool madeFolder_;
    QString path_;
    bool ok_ = false;
};

// Started from a desktop launcher the working directory is the home folder: the sounds that
// sit beside the program (with kq.ini) must still be found, and an installed copy's own in its
// data folder; the working directory's come first, then those beside the program.
TEST_F(SdlSoundPlayerTest, BareNamesAreLookedUpInTheWorkingDirectoryBesideTheProgramThenInItsData) {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const ProgramFile beside(programFolder, "zorvat-test-beside.wav", silentWav(300));
    const ProgramFile shadowed(programFolder, "zorvat-test-both.wav", "not a sound");
    const ProgramFile installed(installedDataFolder(), "zorvat-test-installed.wav", silentWav(300));
    const ProgramFile shadowedInstalled(installedDataFolder(), "zorvat-test-beside.wav",
                                        "not a sound");
    ASSERT_TRUE(beside.ok() && shadowed.ok() && installed.ok() && shadowedInstalled.ok());
    write("zorvat-test-both.wav", silentWav(300));
    const QString oldDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    int alerts = 0;
    {
        SdlSoundPlayer player(setup(SdlSoundPlayer::programFolders(), [&] { ++alerts; }));
        int playing = 0;
        for (const char* name :
             {"zorvat-test-beside.wav", "zorvat-test-both.wav", "zorvat-test-installed.wav"}) {
            SCOPED_TRACE(name);
            player.playAsync(QString::fromLatin1(name));
            EXPECT_EQ(Mix_Playing(-1), ++playing);
            EXPECT_EQ(alerts, 0);
        }
        player.playAsync(QStringLiteral("zorvat-test-nowhere.wav"));
        EXPECT_EQ(alerts, 1);
    }
    QDir::setCurrent(oldDir);
}

// A ten-minute file must not freeze the window for ten minutes: the wait for a synchronous
// sound ends after 10 s whatever its length, and the sound with it.
TEST_F(SdlSoundPlayerTest, PlaySyncWaitsAtMostTenSeconds) {
    write("minute.wav", silentWav(60'000));
    VirtualTime time(QDateTime(QDate(2026, 6, 13), QTime(9, 59)));
    SdlSoundPlayer player({{dir_.path()}, time, [] {}});
    const qint64 realMs = msTaken([&] { player.playSync(path("minute.wav")); });
    EXPECT_GE(time.monotonicMs(), 10'000);
    EXPECT_LT(time.monotonicMs(), 10'100);
    EXPECT_LT(realMs, 5'000);
    EXPECT_EQ(Mix_Playing(-1), 0) << "the sound stops with the wait";
}

} // namespace
} // namespace zorvat
