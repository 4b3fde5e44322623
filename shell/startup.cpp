// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "desktop_identity.h"
#include "journal.h"
#include "journal_link.h"
#include "qt_clipboard.h"
#include "qt_error_box.h"
#include "qt_timer.h"
#include "save_file.h"
#include "settings_location.h"
#include "system_clock.h"
#include "tfrmcas.h"
#include "zorvat_version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#ifdef Q_OS_WIN
#include "win32_companion.h"
#include "win32_serial_port.h"
#include "win32_sound_player.h"
#else
#include "dbus_companion.h"
#include "posix_serial_port.h"
#include "sdl_sound_player.h"
#endif

namespace zorvat {

namespace {

// The system's own services: window messages, COM ports and its sound player on Windows;
// the session bus, ttys and SDL on Linux.
#ifdef Q_OS_WIN
using SystemSerialPort = Win32SerialPort;
using SystemSoundPlayer = Win32SoundPlayer;
#else
using SystemSerialPort = PosixSerialPort;
using SystemSoundPlayer = SdlSoundPlayer;
#endif

// A window message waits by itself without running our timers; a D-Bus call needs them held.
std::unique_ptr<Companion> systemCompanion([[maybe_unused]] TimerFactory& timers) {
#ifdef Q_OS_WIN
    return std::make_unique<Win32Companion>();
#else
    return std::make_unique<DBusCompanion>(QDBusConnection::sessionBus(), timers);
#endif
}

} // namespace

int runProgram(int argc, char** argv, Edition edition,
               const std::function<void(TfrmCas&)>& started) {
    QApplication app(argc, argv);
    presentToDesktop(app, edition);
    // Qt's own texts (file dialog, message box buttons) in Czech like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    SystemClock clock;
    QtTimerFactory timers;
    SystemSerialPort serial;
    QtErrorBox errors;
    const std::unique_ptr<Companion> companion = systemCompanion(timers);
    QtClipboard clipboard;
    SystemSoundPlayer sounds;

    const QString dataFolder = Journal::defaultFolder();
    Journal journal(dataFolder);
    // Reported from the event loop, over the main window, once it is there.
    journal.onProblem = [&app, &errors](const QString& why) {
        QMetaObject::invokeMethod(
            &app,
            [&errors, why] {
                errors.show(QStringLiteral("Výsledky se neukládají do deníku: %1").arg(why));
            },
            Qt::QueuedConnection);
    };
    const std::vector<QString> restored = journal.beginSession(
        clock.now(), edition == Edition::Difference ? "d" : "q", QStringLiteral(ZORVAT_VERSION));

    // Outlives the window, which reports to it until it is gone.
    JournalLink journalLink(journal, clock, timers);

    const QString ini = programSettingsFile();
    const auto frmCas = TfrmCas::start(
        edition, Services{clock, timers, serial, errors, *companion, clipboard, sounds}, ini);
    errors.setParentWindow(frmCas.get());
    frmCas->subscribe(journalLink);
    frmCas->restoreResults(restored);
    frmCas->exportResults = [&](const QString& file) -> std::optional<QString> {
        const std::optional<qint64> session = journalLink.call([](Journal& j) {
            j.flush();
            return j.sessionNumber();
        });
        if (!session)
            return QStringLiteral("deník není k dispozici");
        return saveSessionCsv(dataFolder, *session, file);
    };
    frmCas->show();
    if (started)
        started(*frmCas);
    const int code = app.exec();
    // Only a close that got this far is clean; a crash or a kill leaves the session open.
    journalLink.call([now = clock.now()](Journal& j) { j.endSession(now); });
    return code;
}

} // namespace zorvat
