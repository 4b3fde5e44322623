// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "companion_options.h"

#include <QDBusMessage>
#include <QObject>
#include <functional>

namespace zorvat::companion {

class ProgramLink;

// The object the program calls; logs each message on stdout.
class CompanionPeer final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zorvat.WindowMessages")

public:
    CompanionPeer(const Options& options, ProgramLink& program, std::function<void()> onEnough);

public slots:
    void Message(int msg, int wParam, int lParam, const QDBusMessage& call);

private:
    const Options& options_;
    ProgramLink& program_;
    std::function<void()> onEnough_; // called once --exit-after messages have come
    int received_ = 0;
};

} // namespace zorvat::companion
