// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QWidget;

namespace zorvat {

// The controls a script or a dump names: every widget of the window with an object name,
// without the window itself, other windows and Qt's own "qt_" helpers.
QList<QWidget*> namedControls(const QWidget* window);

} // namespace zorvat
