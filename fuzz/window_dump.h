// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace zorvat {

// Every named control of a window, one line each in name order: class, shown or hidden,
// enabled, its text, check state or items, and where it is when shown.
QString windowState(const QWidget* window);

} // namespace zorvat
