// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace zorvat {

// A label that takes the size of its text whenever its text changes, as the layout's
// self-sizing labels do; its top-left corner stays where it is.
class AutoSizeLabel : public QLabel {
public:
    using QLabel::QLabel;
    void setText(const QString& text) {
        // Measuring the text is what costs; most calls repeat the text shown.
        if (text == QLabel::text())
            return;
        QLabel::setText(text);
        adjustSize();
    }
};

} // namespace zorvat
