// SPDX-License-Identifier: GPL-3.0-or-later
#include "auto_size_label.h"

#include <QEvent>

namespace zorvat {

namespace {

// Enough for every text a label of the layout shows; typed captions may make more.
constexpr qsizetype kMostSizes = 32;

} // namespace

void AutoSizeLabel::setText(const QString& text) {
    if (text == QLabel::text())
        return;
    QLabel::setText(text);
    if (const auto known = sizes_.constFind(text); known != sizes_.cend()) {
        resize(*known);
        return;
    }
    adjustSize();
    if (sizes_.size() >= kMostSizes)
        sizes_.clear();
    sizes_.insert(text, size());
}

void AutoSizeLabel::changeEvent(QEvent* e) {
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange)
        sizes_.clear();
    QLabel::changeEvent(e);
}

} // namespace zorvat
