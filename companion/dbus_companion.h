// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "companion.h"

#include <QDBusConnection>
#include <QObject>
#include <memory>

namespace zorvat {

class TimerFactory;

// The companion's messages over the session bus: we own org.zorvat.TfrmCas, the companion
// org.zorvat.TfrmKQ; both export org.zorvat.WindowMessages.Message(int, int, int) at "/".
class DBusCompanion final : public Companion {
public:
    // Without a bus, or with our name taken by another instance, the link stays down:
    // windowExists() is false and send() does nothing.
    DBusCompanion(QDBusConnection bus, TimerFactory& timers);
    ~DBusCompanion() override;
    DBusCompanion(const DBusCompanion&) = delete;
    DBusCompanion& operator=(const DBusCompanion&) = delete;

    bool windowExists() override;
    // Waits up to about 2 s for the companion's answer; errors and time-outs are ignored.
    void send(int msg, std::int32_t wParam, std::int32_t lParam) override;

private:
    QDBusConnection bus_;
    TimerFactory& timers_;
    std::unique_ptr<QObject> receiver_;
    bool linked_ = false;
    int sendDepth_ = 0;
};

} // namespace zorvat
