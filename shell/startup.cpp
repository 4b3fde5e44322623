#include "startup.h"

#include "dbus_companion.h"
#include "posix_serial_port.h"
#include "qt_clipboard.h"
#include "qt_error_box.h"
#include "qt_timer.h"
#include "sdl_sound_player.h"
#include "system_clock.h"
#include "tfrmcas.h"

#include <QApplication>
#include <QDir>

namespace zorvat {

int runProgram(int argc, char** argv, Edition edition) {
    QApplication app(argc, argv);
    SystemClock clock;
    QtTimerFactory timers;
    PosixSerialPort serial;
    QtErrorBox errors;
    DBusCompanion companion(QDBusConnection::sessionBus(), timers);
    QtClipboard clipboard;
    SdlSoundPlayer sounds;

    // kq.ini lives beside the executable, whatever the working directory.
    const QString ini =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kq.ini"));
    const auto frmCas = TfrmCas::start(
        edition, Services{clock, timers, serial, errors, companion, clipboard, sounds}, ini);
    errors.setParentWindow(frmCas.get());
    frmCas->show();
    return app.exec();
}

} // namespace zorvat
