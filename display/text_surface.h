// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

namespace zorvat {

// A black drawing surface showing one line of text in one font and colour; each frame
// replaces the last. Widgets are double-buffered, so presenting a frame means scheduling a
// repaint of the surface: of all of it for a new text, of where the text was and is for the
// same text moved, and of nothing while it moves outside the surface.
class TextSurface : public QWidget {
public:
    TextSurface(QWidget* parent, const QFont& font, const QColor& colour);

    // True while the surface has an area to draw on. Being on screen does not matter: like a
    // back buffer, a hidden surface keeps its last frame and shows it once it is shown, so a
    // moving text runs on while the board window is hidden.
    bool canDraw() const;

    // Black, then the text with its top-left corner at (left, 0) and nothing behind the glyphs.
    void drawFrame(const QString& text, int left);

    const QString& frameText() const { return text_; }
    int frameLeft() const { return left_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void drawText();

    QFont font_;
    QColor colour_;
    QString text_;
    // Drawn once per text, when first painted: a moving text is shown many times over, glyphs
    // of the board's sizes are filled as outlines, which costs a millisecond a frame on a wide
    // strip, and a surface nobody sees (a hidden or minimised window) draws nothing.
    QPixmap drawn_;
    bool stale_ = false;
    // Where the text's pixels may fall, with its top-left corner at (0, 0).
    QRect inked_;
    int left_ = 0;
};

} // namespace zorvat
