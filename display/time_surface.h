// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text_surface.h"

namespace zorvat {

// Left edge of an n-character running time, at a fixed pitch per character so that the
// time ends near the right edge of the surface whatever its length.
int timeTextLeft(int n);

// The black surface over the main window's time label on which the running time is drawn,
// in the label's own font and colour.
class TimeSurface : public TextSurface {
public:
    explicit TimeSurface(QWidget* parent);

    void drawFrame(const QString& text);
};

} // namespace zorvat
