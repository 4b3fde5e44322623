// SPDX-License-Identifier: GPL-3.0-or-later
// Back to the moment after start-up, for a harness that serves many runs with one pair of
// windows.
#include "settings_file.h"
#include "text_strip.h"
#include "tfrmcas.h"
#include "tfrmled.h"
#include "time_surface.h"

namespace zorvat {

// Everything a port pick, the device, the companion or the timekeeper can change goes back
// to how start-up leaves it, the settings file read again; the port list stays as probed.
void TfrmCas::resetToIntro() {
    // First, so that leaving the moving text's box cannot start it again below.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    s_.serial.close();
    for (Timer* t : {tmrInWait.get(), tmrVyprs.get(), tmrReconnect.get(), tmrDeferred.get()})
        t->setEnabled(false);
    received.clear();
    indata = {};
    framing = Framing{};
    greetingAwaited_ = greetingDue_ = greetingWaitOver_ = decoding_ = consuming_ = false;
    settingsWriteFailed_ = false;
    setLinkShown(true);

    // The attempt's own reset clears the rows, the banner and the timers of an attempt.
    reset_cas();
    casu = 0;
    pcas = 0;
    casy = {};
    data_out = {};
    splitTags = {};
    nast = {};
    // A version outside the list keeps the format texts it finds.
    formatU.clear();
    formatS.clear();
    pripravaM = pripravaS = 0;
    t_posun = false;
    tmrCas->setEnabled(false);
    StartKQ = {};
    startMonotonicMs = 0;
    btnAutomat->setEnabled(false);
    DXCas1->show();

    showStartCaptions();
    for (AutoSizeLabel* l : {lblM0C, lblM1C, lblM2C, lblMRC})
        l->setText(QString());
    CBCas->clear();
    CBCas->addItem(QString());
    CBCas->setCurrentIndex(0);
    btnDel->setEnabled(false);
    edtSDH->clear();
    edtText->clear();

    TfrmLED& board = *frmLED_;
    SB_zobr->setChecked(false);
    board.hide();
    board.clearMovingText();

    // Start-up again: settings, version step, intro state; then the board's settings.
    CBverze->setCurrentIndex(0);
    CBFormat->setCurrentIndex(0);
    CBUvod->setCurrentIndex(-1);
    showIntro();
    readBoardSettings(SettingsFile(settingsPath_));
    board.PrekresliLED();
}

} // namespace zorvat
