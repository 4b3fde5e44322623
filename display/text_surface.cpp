// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_surface.h"

#include <QFontMetrics>
#include <QPainter>

namespace zorvat {

TextSurface::TextSurface(QWidget* parent, const QFont& font, const QColor& colour)
    : QWidget(parent), font_(font), colour_(colour) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool TextSurface::canDraw() const {
    return !size().isEmpty();
}

void TextSurface::drawFrame(const QString& text, int left) {
    text_ = text;
    left_ = left;
    update();
}

void TextSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (text_.isEmpty())
        return;
    p.setFont(font_);
    p.setPen(colour_);
    p.drawText(left_, QFontMetrics(font_, this).ascent(), text_);
}

} // namespace zorvat
