// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"

#include <QString>

class QGuiApplication;

namespace zorvat {

// The desktop entry an edition is started from, without ".desktop".
QString desktopEntryName(Edition edition);

// Gives the windows the program's icon (compiled in, so a portable copy has it too) and ties
// them to the edition's desktop entry, which Wayland task bars go by.
void presentToDesktop(QGuiApplication& app, Edition edition);

} // namespace zorvat
