// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvat {

// The data folder (sounds) of a copy installed by the install rules: <prefix>/share/zorvat
// for programs in <prefix>/bin, found from the program's folder so that any prefix works.
// A portable copy has none: the folder then does not exist.
QString installedDataFolder(const QString& programFolder);

// The running program's, from QCoreApplication::applicationDirPath().
QString installedDataFolder();

} // namespace zorvat
