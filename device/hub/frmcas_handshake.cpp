// Waiting for the device's greeting after a port pick, and the watchdog that gives up.
#include "tfrmcas.h"
#include "version_table.h"

namespace zorvat {

void TfrmCas::tmrInTimer() {
    if (s_.serial.bytesWaiting() < pocetB_Uvod)
        return;
    std::uint8_t lead = 0;
    PrijmiByte(lead);
    // A short greeting leaves the byte as it was; nothing in it is validated.
    for (std::uint8_t& b : nast)
        PrijmiByte(b);
    if (!isNewGreetingVersion(verze, edition_)) {
        convertOlderGreeting(nast);
        reset_cas();
    }
    Nastav_uPC();
    tmrIn->setEnabled(false);
    schovat_form(true);
    tmrRS232->setEnabled(true);
}

void TfrmCas::tmrVyprsTimer() {
    lblUvod->setText(QStringLiteral(
        "Časomíra nenavázala komunikaci. Vypňete časomíru, vyberte jiný port a zapněte ji!"));
    lblUvod1->setText(QString());
    tmrVyprs->setEnabled(false);
    tmrIn->setEnabled(false);
}

} // namespace zorvat
