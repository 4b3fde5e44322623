// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clipboard.h"

namespace zorvat {

// Through Qt's clipboard. On X11 and Wayland the program becomes the clipboard's owner and
// serves the text on request, so there is no "cannot open" failure to report; Windows can
// report one.
class QtClipboard final : public Clipboard {
public:
    std::optional<QString> setText(const QString& text) override;
};

} // namespace zorvat
