// SPDX-License-Identifier: GPL-3.0-or-later
// Port probe, port pick, the bytes the reader hands over, and a link that is lost and healed.
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
    received.clear();
    greetingDue_ = false;
    greetingWaitOver_ = false;
    tmrInWait->setEnabled(false);
    if (!s_.serial.open(CBUvod->currentText()))
        return;
    s_.serial.configure();
    s_.serial.setRts(true);
    greetingAwaited_ = true;
    // Enabling a running timer keeps its rhythm: a second pick does not restart the watchdog.
    tmrVyprs->setEnabled(true);
    bytesArrived();
}

// The next byte the line delivered, with its arrival stamp kept in indata.
bool TfrmCas::PrijmiByte(std::uint8_t& co) {
    if (received.empty())
        return false;
    indata = received.front();
    received.pop_front();
    co = indata.value;
    return true;
}

void TfrmCas::bytesArrived() {
    const std::vector<StampedByte> batch = s_.serial.takeReceived();
    if (!batch.empty())
        events_.bytesReceived(batch);
    received.insert(received.end(), batch.begin(), batch.end());
    consumeBytes();
}

// While a companion send is in flight the thread counts as blocked, as with the blocking send
// it stands for: the bytes wait (their stamps are taken) and are decoded right after it.
// A handler that re-enters from inside such a wait finds the outer run still going.
void TfrmCas::consumeBytes() {
    if (s_.timers.isHeld()) {
        tmrDeferred->setEnabled(true);
        return;
    }
    if (consuming_)
        return;
    consuming_ = true;
    if (greetingAwaited_)
        tmrInTimer();
    if (decoding_)
        tmrRS232Timer();
    consuming_ = false;
}

void TfrmCas::linkLost(const QString& reason) {
    // While the greeting is awaited the watchdog tells the user what to do.
    if (!decoding_)
        return;
    linkNotice->setToolTip(reason);
    setLinkShown(false);
    tmrReconnect->setEnabled(true);
    events_.linkLost(reason);
}

// The name is resolved anew each time, so a link that now points to a re-plugged adapter or a
// new pseudo-terminal is found.
void TfrmCas::reconnectTick() {
    if (!s_.serial.reopen())
        return;
    s_.serial.configure();
    s_.serial.setRts(true);
    // A command cut off by the loss must not take the next bytes as its data.
    framing = Framing{};
    tmrReconnect->setEnabled(false);
    setLinkShown(true);
    events_.linkRestored();
    bytesArrived();
}

void TfrmCas::setLinkShown(bool up) {
    linkLost_ = !up;
    linkNotice->setVisible(!up);
    setWindowTitle(up ? QStringLiteral("Duzeveru RE 4")
                      : QStringLiteral("Duzeveru RE 4 – spojení s časomírou přerušeno"));
}

} // namespace zorvat
