// SPDX-License-Identifier: GPL-3.0-or-later
// Waiting for the device's greeting after a port pick, and the watchdog that gives up.
#include "tfrmcas.h"
#include "version_table.h"

namespace zorvat {

void TfrmCas::tmrInTimer() {
    if (!greetingDue_) {
        if (received.size() < pocetB_Uvod)
            return;
        greetingDue_ = true;
    }
    // Lead byte and three settings bytes; a short greeting leaves a settings byte as it was
    // once the wait runs out. Nothing in it is validated.
    if (received.size() < 4 && !greetingWaitOver_) {
        tmrInWait->setEnabled(true);
        return;
    }
    tmrInWait->setEnabled(false);
    greetingWaitOver_ = false;
    greetingDue_ = false;
    std::uint8_t lead = 0;
    PrijmiByte(lead);
    for (std::uint8_t& b : nast)
        PrijmiByte(b);
    if (!isNewGreetingVersion(verze, edition_)) {
        convertOlderGreeting(nast);
        reset_cas();
    }
    Nastav_uPC();
    greetingAwaited_ = false;
    schovat_form(true);
    decoding_ = true;
}

void TfrmCas::tmrVyprsTimer() {
    lblUvod->setText(QStringLiteral(
        "Časomíra nenavázala komunikaci. Vypňete časomíru, vyberte jiný port a zapněte ji!"));
    lblUvod1->setText(QString());
    tmrVyprs->setEnabled(false);
    greetingAwaited_ = false;
    greetingDue_ = false;
    greetingWaitOver_ = false;
    tmrInWait->setEnabled(false);
}

} // namespace zorvat
