// SPDX-License-Identifier: GPL-3.0-or-later
// Split times taken with the space bar during an attempt.
#include "split_time.h"
#include "tfrmcas.h"
#include "tfrmled.h"

namespace zorvat {

void TfrmCas::mezicas(std::optional<qint64> pressedMs) {
    TfrmLED& board = *frmLED_;
    if (!board.lblCas3->text().isEmpty())
        return;
    const bool four = edition_ == Edition::FourSplit;
    if (four)
        board.pnlStart->hide();
    const int p = CBFormat->currentIndex() == 0 ? 100 : 1000;
    const qint64 pressed = pressedMs.value_or(s_.clock.monotonicMs());
    const qint32 v = splitValue(pressed - startMonotonicMs, p);
    const QString text = splitText(v, p);
    const auto sideText = [](QLineEdit* edit, const QString& split) {
        return edit->text() + QStringLiteral(": ") + split;
    };
    const auto showSide = [](AutoSizeLabel* label, const QString& caption) {
        label->setText(caption);
        label->show();
    };

    if (board.lblCas0->text().isEmpty()) {
        board.lblM0->setText(edtM0->text());
        board.lblCas0->setText(text);
        splitTags[0] = v;
        showSide(lblM0C, sideText(edtM0, text));
        events_.split(1, v, text, edtM0->text());
    } else if (board.lblCas1->text().isEmpty()) {
        board.lblM1->setText(edtM1->text());
        board.lblCas1->setText(text);
        splitTags[1] = v;
        showSide(lblM1C, sideText(edtM1, text));
        events_.split(2, v, text, edtM1->text());
    } else if (board.lblCas2->text().isEmpty()) {
        board.lblM2->setText(edtM2->text());
        if (!four)
            board.lblMR->setText(edtMR->text());
        board.lblCas2->setText(text);
        splitTags[2] = v;
        events_.split(3, v, text, edtM2->text());
        showSide(lblM2C, sideText(edtM2, text));
        if (!four) {
            // The difference row fills with the third split, without a press of its own.
            const qint32 d = splitTags[2] - splitTags[1];
            board.lblCas3->setText(splitText(d, p));
            showSide(lblMRC, sideText(edtMR, splitText(d, p)));
            events_.split(4, d, splitText(d, p), edtMR->text());
        }
    } else if (four) {
        board.lblMR->setText(edtMR->text());
        board.lblCas3->setText(text);
        showSide(lblMRC, sideText(edtMR, text));
        events_.split(4, splitTags[2] - splitTags[1], text, edtMR->text());
    }
    board.PrekresliLED();
}

} // namespace zorvat
