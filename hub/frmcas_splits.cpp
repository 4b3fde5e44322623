// SPDX-License-Identifier: GPL-3.0-or-later
// Split times taken with the space bar during an attempt.
#include "split_time.h"
#include "tfrmcas.h"
#include "tfrmled.h"

namespace zorvat {

void TfrmCas::mezicas(std::optional<qint64> pressedMs) {
    TfrmLED& board = *frmLED_;
    const int row = board.rowsTaken();
    if (row == 4)
        return;
    const bool four = edition_ == Edition::FourSplit;
    if (four)
        board.hideStartBanner();
    const int p = CBFormat->currentIndex() == 0 ? 100 : 1000;
    const qint64 pressed = pressedMs.value_or(s_.clock.monotonicMs());
    const qint32 v = splitValue(pressed - startMonotonicMs, p);
    const std::array<QLineEdit*, 4> captions{edtM0, edtM1, edtM2, edtMR};
    const std::array<AutoSizeLabel*, 4> sides{lblM0C, lblM1C, lblM2C, lblMRC};
    const auto show = [&](int r, qint32 value) {
        const QString text = splitText(value, p);
        const QString caption = captions[r]->text();
        board.setRow(r, caption, text);
        sides[r]->setText(caption + QStringLiteral(": ") + text);
        sides[r]->show();
        events_.split(r + 1, value, text, caption);
    };

    if (row < 3) {
        splitTags[row] = v;
        show(row, v);
        // The difference row fills with the third split, without a press of its own.
        if (row == 2 && !four)
            show(3, splitTags[2] - splitTags[1]);
    } else {
        // The fourth press of the four-split edition: its own time, reported as the difference
        // of the second and third splits, as the companion has always been told.
        const QString text = splitText(v, p);
        board.setRow(3, edtMR->text(), text);
        lblMRC->setText(edtMR->text() + QStringLiteral(": ") + text);
        lblMRC->show();
        events_.split(4, splitTags[2] - splitTags[1], text, edtMR->text());
    }
    board.PrekresliLED();
}

} // namespace zorvat
