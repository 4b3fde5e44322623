// Port probe, port pick and single-byte reads.
#include "tfrmcas.h"

namespace zorvat {

void TfrmCas::probePorts() {
    for (int n = 1; n <= 10; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        if (s_.serial.open(name)) {
            CBUvod->addItem(name);
            s_.serial.close();
        }
    }
    CBUvod->setCurrentIndex(-1);
}

void TfrmCas::CBUvodChange() {
    schovat_form(false);
    s_.serial.close();
    if (!s_.serial.open(CBUvod->currentText()))
        return;
    s_.serial.configure();
    s_.serial.setRts(true);
    // Enabling a running timer keeps its rhythm: a second pick does not restart the watchdog.
    tmrIn->setEnabled(true);
    tmrVyprs->setEnabled(true);
}

bool TfrmCas::PrijmiByte(std::uint8_t& co) {
    return s_.serial.readByte(co);
}

} // namespace zorvat
