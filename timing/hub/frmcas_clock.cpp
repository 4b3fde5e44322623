// The reset that clears every display for the next attempt.
#include "tfrmcas.h"
#include "tfrmled.h"
#include "time_surface.h"

namespace zorvat {

void TfrmCas::reset_cas() {
    t_cas = false;
    tmrOdpocet->setEnabled(false);
    lblCas->setText(QString());
    lblCasD->setText(QString());
    casu = 1;
    tmrPrep->setEnabled(false);
    btnAutomat->setEnabled(true);
    for (QLabel* l : {lblM0C, lblM1C, lblM2C, lblMRC})
        l->hide();
    TfrmLED& board = *frmLED_;
    for (QLabel* l : {board.lblCas0, board.lblCas1, board.lblCas2, board.lblCas3, board.lblM0,
                      board.lblM1, board.lblM2, board.lblMR})
        l->setText(QString());
    for (QLineEdit* e : {edtM1, edtM2, edtMR, edtSDH, edtText})
        e->setEnabled(true);
    btnAutomat->setText(QStringLiteral("Automatický start"));
    btnAutomat->setEnabled(true);
    DXCas1->hide();
    board.pnlStart->hide();
    board.tmrStart->setEnabled(false);
}

void TfrmCas::tmrCas1Timer() {}

} // namespace zorvat
