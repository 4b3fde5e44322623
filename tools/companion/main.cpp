// SPDX-License-Identifier: GPL-3.0-or-later
// zorvat-companion: stands in for the companion results program on the session bus, for the
// tests and for working without the real one.
#include "bus_names.h"
#include "command_line.h"
#include "companion_options.h"
#include "companion_peer.h"
#include "program_link.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <utility>

using namespace zorvat::companion;

namespace {

constexpr int kExitRuntimeError = 1;
constexpr int kExitBadArguments = 2;
constexpr int kExitTimedOut = 3;

int fail(int code, const QString& text) {
    std::fprintf(stderr, "zorvat-companion: %s\n", qPrintable(text));
    return code;
}

// Messages leave the connection in order, so once the bus daemon answers a ping, the answer
// to the last message has left too; quitting before could lose it.
void flush(QDBusConnection& bus) {
    bus.call(QDBusMessage::createMethodCall(
                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                 QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")),
             QDBus::Block, 2000);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    addOptions(parser);
    const auto badArguments = [](const QString& error) {
        return fail(kExitBadArguments, error + QStringLiteral("\nTry 'zorvat-companion --help'."));
    };
    if (const auto error = zorvat::parseToolArguments(parser))
        return badArguments(*error);
    const OptionsResult parsed = readOptions(parser);
    if (!parsed.error.isEmpty())
        return badArguments(parsed.error);
    const Options& options = parsed.options;

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return fail(kExitRuntimeError,
                    QStringLiteral("no session bus: ") + bus.lastError().message());

    // Our own loop rather than app.exec(): quitting it leaves a wait for the program's answer
    // that is still running underneath to finish first.
    QEventLoop loop;
    ProgramLink program(bus, options.actual);
    CompanionPeer peer(options, program, [&] {
        // Queued: the answer to the current message goes out when the slot returns.
        QTimer::singleShot(0, &loop, [&] {
            flush(bus);
            loop.quit();
        });
    });
    if (!bus.registerObject(kPath, &peer, QDBusConnection::ExportAllSlots) ||
        !bus.registerService(kCompanionService))
        return fail(kExitRuntimeError, QStringLiteral("cannot take ") + kCompanionService +
                                           QStringLiteral(": ") + bus.lastError().message());

    // The --send messages go out once, as soon as the program is on the bus.
    bool sent = options.sends.empty();
    const auto sendAll = [&] {
        if (std::exchange(sent, true))
            return;
        for (const WindowMessage& message : options.sends)
            program.send(message);
    };
    QDBusServiceWatcher watcher(kProgramService, bus, QDBusServiceWatcher::WatchForRegistration);
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered, &loop, sendAll,
                     Qt::QueuedConnection);
    if (bus.interface()->isServiceRegistered(kProgramService).value())
        QTimer::singleShot(0, &loop, sendAll);

    if (options.timeoutMs > 0)
        QTimer::singleShot(options.timeoutMs, &loop, [&] {
            fail(0, QStringLiteral("timed out"));
            loop.exit(kExitTimedOut);
        });
    return loop.exec();
}
