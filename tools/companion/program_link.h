// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "companion_options.h"

#include <QDBusConnection>
#include <optional>

namespace zorvat::companion {

// Our messages to the program, each a call that waits for the program's answer.
class ProgramLink {
public:
    ProgramLink(QDBusConnection bus, std::optional<ActualFile> actual);

    // Diagnostics go to stderr; the run goes on either way.
    void send(const WindowMessage& message);

private:
    QDBusConnection bus_;
    std::optional<ActualFile> actual_;
};

} // namespace zorvat::companion
