// SPDX-License-Identifier: GPL-3.0-or-later
// The board's layout: the row font fills the window, rows and strip stack under the team name.
#include "text_strip.h"
#include "tfrmled.h"
#include "ui_fonts.h"

namespace zorvat {

namespace {

QFont boardFont(int pointSize) {
    return uiFontPt(QStringLiteral("Arial"), pointSize, true);
}

} // namespace

void TfrmLED::PrekresliLED() {
    const BoardTexts t = boardTexts ? boardTexts() : BoardTexts{};
    const QSize outer = frameGeometry().size();
    const int W = outer.width();
    const QString caption = longestCaption(t.m0, t.m1, t.m2, t.mr);
    const BoardLayout l = computeBoardLayout(W, outer.height(), t.team, caption, measure_);

    lblSDH->setText(t.team);
    lblSDH->setFont(boardFont(l.teamPt));
    lblSDH->setGeometry(0, 0, W, l.hS);
    lblSDH->show();

    pnlStart->setGeometry(0, l.hS, W, 120);

    // The measuring label is never shown; it keeps what was measured, as the rows do.
    lblpom->setText(caption);
    lblpom->setFont(boardFont(l.f));
    lblpom->resize(l.wC, l.hR);

    placeRow(1, lblM0, lblCas0, l);
    placeRow(2, lblM1, lblCas1, l);
    placeRow(3, lblM2, lblCas2, l);
    placeRow(4, lblMR, lblCas3, l);

    DXDraw->setGeometry(0, l.hS + 4 * l.hR, W, 80);
}

void TfrmLED::placeRow(int k, QLabel* caption, QLabel* time, const BoardLayout& l) {
    const QFont font = boardFont(l.f);
    const int top = l.hS + (k - 1) * l.hR;
    caption->setFont(font);
    caption->setGeometry(10, top, l.wC, l.hR);
    caption->show();
    time->setFont(font);
    time->setGeometry(l.wC + 20, top, l.wT, l.hR);
    time->show();
}

} // namespace zorvat
