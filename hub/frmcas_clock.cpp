// SPDX-License-Identifier: GPL-3.0-or-later
// The reset between attempts, the preparation countdown and the rotation of earlier times.
#include "course.h"
#include "device_settings.h"
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
    frmLED_->clearRows();
    setCaptionEditsEnabled(true);
    setAutomaticStage(AutomaticStage::Ready);
    btnAutomat->setEnabled(true);
    DXCas1->hide();
    frmLED_->hideStartBanner();
    events_.reset();
}

void TfrmCas::loadCountdown() {
    const Preparation configured = preparationOf(lblPriprava->text());
    pripravaM = configured.minutes;
    pripravaS = configured.seconds;
    lblCas->setText(QString::number(pripravaM) +
                    (pripravaS ? QStringLiteral(",30 ") : QStringLiteral(",00 ")));
    tmrOdpocet->setEnabled(true);
    events_.preparationStarted();
}

void TfrmCas::tmrOdpocetTimer() {
    if (--pripravaS < 0) {
        --pripravaM;
        pripravaS = 59;
        if (pripravaM < 0)
            tmrOdpocet->setEnabled(false);
    }
    if (!tmrOdpocet->isEnabled()) {
        lblCas->setText(QString());
        return;
    }
    lblCas->setText(
        QStringLiteral("%1,%2 ").arg(pripravaM).arg(pripravaS, 2, 10, QLatin1Char('0')));
}

// The time count is read again at each wrap. Should a settings change leave a count below 2,
// the wrap would reach slot 0, so the rotation stops where it is; with 2 it keeps showing
// slot 1. A redisplay or a completion may have set pcas to 0 or 1 while the rotation ran on:
// that wraps too, so no slot 0 is ever shown.
void TfrmCas::tmrPrepTimer() {
    if (pcas > 1) {
        --pcas;
    } else {
        const int count = slotCount(nast[0]);
        if (count < 2) {
            tmrPrep->setEnabled(false);
            return;
        }
        pcas = static_cast<std::uint8_t>(count - 1);
    }
    lblCasD->setText(CasToStr(pcas, true));
}

} // namespace zorvat
