// SPDX-License-Identifier: GPL-3.0-or-later
#include "dbus_companion.h"

#include "timer.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace zorvat {

namespace {

const QString kOurService = QStringLiteral("org.zorvat.TfrmCas");
const QString kCompanionService = QStringLiteral("org.zorvat.TfrmKQ");
const QString kPath = QStringLiteral("/");
const QString kInterface = QStringLiteral("org.zorvat.WindowMessages");
const QString kMethod = QStringLiteral("Message");
constexpr int kReplyTimeoutMs = 2000;

// The object the companion calls; exported with its public slots.
class MessageReceiver final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zorvat.WindowMessages")

public:
    explicit MessageReceiver(Companion& owner) : owner_(owner) {}

public slots:
    void Message(int msg, int wParam, int lParam) {
        if (owner_.onMessage)
            owner_.onMessage(msg, wParam, lParam);
    }

private:
    Companion& owner_;
};

// Holds our timers for the outermost send only: a message handled during the wait may send
// again, and its end must not release the hold while the outer send still waits.
class TimerHold {
public:
    TimerHold(TimerFactory& timers, int& depth) : timers_(timers), depth_(depth) {
        if (depth_++ == 0)
            timers_.setHeld(true);
    }
    ~TimerHold() {
        if (--depth_ == 0)
            timers_.setHeld(false);
    }
    TimerHold(const TimerHold&) = delete;
    TimerHold& operator=(const TimerHold&) = delete;

private:
    TimerFactory& timers_;
    int& depth_;
};

} // namespace

DBusCompanion::DBusCompanion(QDBusConnection bus, TimerFactory& timers)
    : bus_(std::move(bus)), timers_(timers), receiver_(std::make_unique<MessageReceiver>(*this)) {
    if (!bus_.isConnected())
        return;
    // The object first, so that it is there as soon as the companion sees our name.
    if (!bus_.registerObject(kPath, receiver_.get(), QDBusConnection::ExportAllSlots))
        return;
    // Another instance owns the name: the companion's messages would go there, so stay out.
    if (!bus_.registerService(kOurService)) {
        bus_.unregisterObject(kPath);
        return;
    }
    linked_ = true;
}

DBusCompanion::~DBusCompanion() {
    if (!linked_)
        return;
    bus_.unregisterService(kOurService);
    bus_.unregisterObject(kPath);
}

bool DBusCompanion::windowExists() {
    return linked_ && bus_.interface()->isServiceRegistered(kCompanionService).value();
}

void DBusCompanion::send(int msg, std::int32_t wParam, std::int32_t lParam) {
    if (!linked_)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kCompanionService, kPath, kInterface, kMethod);
    call << msg << int(wParam) << int(lParam);

    const TimerHold hold(timers_, sendDepth_);
    // BlockWithGui runs a local event loop, so the companion's own calls to us are handled
    // meanwhile (plain Block would deadlock until the time-out). Qt holds back user input
    // there, but everything else runs re-entrantly: posted events, repaints, serial-port
    // reads, and onMessage, which may send again. Only our timers are held.
    bus_.call(call, QDBus::BlockWithGui, kReplyTimeoutMs);
}

} // namespace zorvat

#include "dbus_companion.moc"
