// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QLabel>
#include <QSize>

namespace zorvat {

// A label that takes the size of its text whenever its text changes, as the layout's
// self-sizing labels do; its top-left corner stays where it is.
class AutoSizeLabel : public QLabel {
public:
    using QLabel::QLabel;
    void setText(const QString& text);

protected:
    void changeEvent(QEvent* e) override;

private:
    // Measuring a text is what costs, and some labels flip between two texts with every byte
    // from the device: each text is measured once per font.
    QHash<QString, QSize> sizes_;
};

} // namespace zorvat
