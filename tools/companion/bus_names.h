// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvat::companion {

// Kept apart from the program's own copy: the tool stands for a separate program, and the
// tests that run the two against each other then check the names too.
inline const QString kCompanionService = QStringLiteral("org.zorvat.TfrmKQ");
inline const QString kProgramService = QStringLiteral("org.zorvat.TfrmCas");
inline const QString kPath = QStringLiteral("/");
inline const QString kInterface = QStringLiteral("org.zorvat.WindowMessages");
inline const QString kMethod = QStringLiteral("Message");

} // namespace zorvat::companion
