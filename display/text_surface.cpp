// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_surface.h"

#include <QFontMetrics>
#include <QPaintEvent>
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
    if (text != text_) {
        text_ = text;
        left_ = left;
        drawn_ = QPixmap();
        stale_ = true;
        update();
        return;
    }
    if (stale_) {
        // Not drawn since the text changed: the whole surface is due anyway.
        left_ = left;
        return;
    }
    const QRect before = inked_.translated(left_, 0);
    left_ = left;
    const QRect changed = (before | inked_.translated(left_, 0)) & rect();
    if (!changed.isEmpty())
        update(changed);
}

void TextSurface::drawText() {
    stale_ = false;
    if (text_.isEmpty()) {
        inked_ = QRect();
        drawn_ = QPixmap();
        return;
    }
    const QFontMetrics metrics(font_, this);
    // Antialiasing may colour a pixel or two beyond the glyphs' box.
    inked_ = metrics.boundingRect(text_).translated(0, metrics.ascent()).adjusted(-2, -2, 2, 2);
    const qreal ratio = devicePixelRatioF();
    drawn_ = QPixmap(inked_.size() * ratio);
    drawn_.setDevicePixelRatio(ratio);
    drawn_.fill(Qt::black);
    QPainter p(&drawn_);
    p.setFont(font_);
    p.setPen(colour_);
    p.drawText(-inked_.left(), metrics.ascent() - inked_.top(), text_);
}

void TextSurface::paintEvent(QPaintEvent* event) {
    // A new text, or moved to a screen of another pixel density.
    if (stale_ || (!drawn_.isNull() && drawn_.devicePixelRatio() != devicePixelRatioF()))
        drawText();
    QPainter p(this);
    p.fillRect(event->rect(), Qt::black);
    if (!drawn_.isNull())
        p.drawPixmap(left_ + inked_.left(), inked_.top(), drawn_);
}

} // namespace zorvat
