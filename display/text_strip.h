// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text_surface.h"

namespace zorvat {

// The board's strip on which the moving text runs.
class TextStrip : public TextSurface {
public:
    explicit TextStrip(QWidget* parent);
};

} // namespace zorvat
