// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_options.h"

#include <QByteArray>
#include <QString>
#include <variant>

namespace zorvat {

// What a command prints, or the one-line reason it cannot.
std::variant<QByteArray, QString> runJournalCommand(const JournalToolOptions& options);

} // namespace zorvat
