// SPDX-License-Identifier: GPL-3.0-or-later
#include "time_surface.h"

#include "ui_fonts.h"

#include <cmath>

namespace zorvat {

int timeTextLeft(int n) {
    // The pitch of one digit of bold Arial at 34 points.
    const int pitch = static_cast<int>(std::lround(34 * 0.73333));
    return pitch * (9 - n) + 14;
}

TimeSurface::TimeSurface(QWidget* parent)
    : TextSurface(parent, uiFontPt(QStringLiteral("Arial"), 34, true), QColor(255, 0, 0)) {}

void TimeSurface::drawFrame(const QString& text) {
    TextSurface::drawFrame(text, timeTextLeft(static_cast<int>(text.size())));
}

} // namespace zorvat
