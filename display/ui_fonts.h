// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace zorvat {

// A font by its layout name and its character height in pixels. The layout names are the
// Windows families; each is mapped to an installed metric twin (Liberation) or, where there is
// none, to the closest face.
QFont uiFont(const QString& family, int pixelSize, bool bold = false);

// The same in points, for the board whose sizes the layout gives in points.
QFont uiFontPt(const QString& family, int pointSize, bool bold = false);

} // namespace zorvat
