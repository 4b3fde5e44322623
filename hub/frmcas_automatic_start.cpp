// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic start: announcement, warning, a random pause, the shot and the DTR pulse that
// starts the device. The handler blocks the user-interface thread while it plays, by design.
#include "tfrmcas.h"

#include <random>

namespace zorvat {

namespace {

const QString kReady = QStringLiteral("Automatický start");
const QString kWarned = QStringLiteral("Pozor!!!");
const QString kStarted = QStringLiteral("Odstartováno!!!");

} // namespace

void TfrmCas::btnAutomatClick() {
    if (btnAutomat->text() == kWarned) {
        btnAutomat->setEnabled(false);
        // Painted now: the thread blocks until the shot.
        btnAutomat->repaint();
        s_.sounds.playSync(QStringLiteral("pozor.wav"));
        std::mt19937 random(static_cast<std::uint32_t>(s_.clock.now().toMSecsSinceEpoch()));
        s_.clock.sleepMs(100 + std::uniform_int_distribution<int>(0, 499)(random));
        s_.sounds.playAsync(QStringLiteral("vystrel.wav"));
        btnAutomat->setText(kStarted);
        s_.serial.setDtr(true);
        s_.clock.sleepMs(5);
        s_.serial.setDtr(false);
    }
    if (btnAutomat->text() == kReady) {
        btnAutomat->setText(kWarned);
        btnAutomat->repaint();
        s_.sounds.playSync(QStringLiteral("zacatek.wav"));
    }
}

} // namespace zorvat
