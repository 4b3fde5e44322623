// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace zorvat {

// A black drawing surface showing one line of text in one font and colour; each frame
// replaces the last. Widgets are double-buffered, so presenting a frame means scheduling a
// repaint of the surface.
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
    QFont font_;
    QColor colour_;
    QString text_;
    int left_ = 0;
};

} // namespace zorvat
