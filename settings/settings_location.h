// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvat {

// Chooses the kq.ini the program reads and writes. A portable copy keeps it beside its
// executable while it can be written there: the folder is writable, or the file itself is.
// An installed copy (one with its data folder, see installedDataFolder), or a portable copy
// that cannot write beside itself, keeps it in configFolder, which is made when chosen so
// that the first close can write there.
QString chooseSettingsFile(const QString& programFolder, const QString& configFolder);

// The user's configuration folder for the program: $XDG_CONFIG_HOME/zorvat, by default
// ~/.config/zorvat; %LOCALAPPDATA%\zorvat on Windows. Both editions share it, as they share
// the file.
QString userConfigFolder();

// chooseSettingsFile for the running program and the user's configuration folder.
QString programSettingsFile();

} // namespace zorvat
