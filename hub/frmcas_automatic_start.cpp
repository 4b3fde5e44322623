// SPDX-License-Identifier: GPL-3.0-or-later
// The automatic start: announcement, warning, a random pause, the shot and the DTR pulse that
// starts the device. The handler blocks the user-interface thread while it plays, by design.
#include "tfrmcas.h"

#include <random>

namespace zorvat {

void TfrmCas::btnAutomatClick() {
    if (automaticStage() == AutomaticStage::Warned) {
        btnAutomat->setEnabled(false);
        // Painted now: the thread blocks until the shot.
        btnAutomat->repaint();
        s_.sounds.playSync(QStringLiteral("pozor.wav"));
        std::mt19937 random(static_cast<std::uint32_t>(s_.clock.now().toMSecsSinceEpoch()));
        s_.clock.sleepMs(100 + std::uniform_int_distribution<int>(0, 499)(random));
        s_.sounds.playAsync(QStringLiteral("vystrel.wav"));
        setAutomaticStage(AutomaticStage::Started);
        s_.serial.setDtr(true);
        s_.clock.sleepMs(5);
        s_.serial.setDtr(false);
    }
    if (automaticStage() == AutomaticStage::Ready) {
        setAutomaticStage(AutomaticStage::Warned);
        btnAutomat->repaint();
        s_.sounds.playSync(QStringLiteral("zacatek.wav"));
    }
}

void TfrmCas::setAutomaticStage(AutomaticStage stage) {
    btnAutomat->setText(automaticStageText(stage));
}

std::optional<AutomaticStage> TfrmCas::automaticStage() const {
    return automaticStageOf(btnAutomat->text());
}

} // namespace zorvat
