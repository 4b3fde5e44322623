// SPDX-License-Identifier: GPL-3.0-or-later
// The moving text on the board's strip, advanced once per frame of the main window.
#include "text_strip.h"
#include "tfrmled.h"

namespace zorvat {

void TfrmLED::movingTextStep() {
    if (!DXDraw->canDraw())
        return;
    DXDraw->drawFrame(Scrolly, scroll);
    --scroll;
    // Some 35 pixels a character: by then the text has left the strip on the left.
    if (scroll < -35 * static_cast<int>(Scrolly.size()))
        scroll = DXDraw->width();
}

void TfrmLED::startMovingText(const QString& text) {
    Scrolly = text;
    scroll = DXDraw->width();
    DXDraw->show();
}

void TfrmLED::stopMovingText() {
    DXDraw->hide();
}

void TfrmLED::clearMovingText() {
    Scrolly.clear();
    scroll = 0;
    DXDraw->drawFrame(QString(), 0);
    DXDraw->show();
}

} // namespace zorvat
