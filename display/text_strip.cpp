// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_strip.h"

#include "ui_fonts.h"

namespace zorvat {

TextStrip::TextStrip(QWidget* parent)
    : TextSurface(parent, uiFontPt(QStringLiteral("Arial"), 50, true), QColor(0, 255, 255)) {
    setObjectName(QStringLiteral("DXDraw"));
}

} // namespace zorvat
