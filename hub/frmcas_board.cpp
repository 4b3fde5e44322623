// SPDX-License-Identifier: GPL-3.0-or-later
// The board window from the main window's side: showing it, its captions, the moving text,
// and the frame tick that draws the running time.
#include "key_stamp.h"
#include "running_time.h"
#include "tfrmcas.h"
#include "tfrmled.h"
#include "time_surface.h"

#include <QKeyEvent>

namespace zorvat {

void TfrmCas::connectBoard() {
    TfrmLED& board = *frmLED_;
    board.boardTexts = [this] {
        return BoardTexts{edtSDH->text(), edtM0->text(), edtM1->text(), edtM2->text(),
                          edtMR->text()};
    };
    board.forwardKey = [this](const QKeyEvent& e) {
        FormKeyDown(e.key(), e.modifiers(), keyPressMoment(e, s_.clock));
    };
    board.closedByUser = [this] { SB_zobr->setChecked(false); };
}

void TfrmCas::SB_zobrClick() {
    if (SB_zobr->isChecked()) {
        frmLED_->show();
        frmLED_->PrekresliLED();
    } else {
        frmLED_->hide();
    }
}

// Every caption box: the board follows while it is shown.
void TfrmCas::captionChanged() {
    if (frmLED_ && frmLED_->isVisible())
        frmLED_->PrekresliLED();
}

void TfrmCas::edtTextEnter() {
    t_posun = false;
    frmLED_->stopMovingText();
}

void TfrmCas::edtTextExit() {
    frmLED_->startMovingText(edtText->text());
    t_posun = true;
    tmrCas->setEnabled(true);
}

void TfrmCas::tmrCas1Timer() {
    if (t_cas) {
        qint64 e = s_.clock.monotonicMs() - startMonotonicMs;
        if (e > maxTime) {
            t_cas = false;
            DXCas1->hide();
            e = maxTime;
        }
        const bool hundredths = runsInHundredthsOnly(verze) || CBFormat->currentIndex() == 0;
        const QString text = runningTimeText(e, hundredths);
        lblCas->setText(text);
        if (DXCas1->canDraw())
            DXCas1->drawFrame(text);
    }
    if (t_posun)
        frmLED_->movingTextStep();
    if (!t_cas && !t_posun)
        tmrCas->setEnabled(false);
}

} // namespace zorvat
