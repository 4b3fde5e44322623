// SPDX-License-Identifier: GPL-3.0-or-later
// The device stream, byte by byte in order: framing, then the command's effect on the windows.
#include "course.h"
#include "tfrmcas.h"
#include "tfrmled.h"
#include "time_surface.h"

namespace zorvat {

// Everything already waiting is decoded at once.
void TfrmCas::tmrRS232Timer() {
    std::uint8_t b = 0;
    while (decoding_ && PrijmiByte(b)) {
        const Framing::Byte f = framing.feed(b, verze == 467 ? 2 : 1, BCas);
        switch (f.kind) {
        case Framing::Kind::SettingsData:
            nast[f.index - 1] = b;
            if (f.last)
                Nastav_uPC();
            break;
        case Framing::Kind::TimeData:
            timeDataByte(b, f);
            break;
        case Framing::Kind::Command:
            runCommand(b);
            break;
        }
    }
}

void TfrmCas::runCommand(std::uint8_t b) {
    const bool difference = edition_ == Edition::Difference;
    switch (b) {
    case 0x55:
        loadCountdown();
        break;
    case Framing::kSettingsChange:
        if (difference && verze == 470)
            lblTyp->setText(QString());
        break;
    case 0xA1:
        lblTerce->setText(QStringLiteral("Rozpínací"));
        break;
    case 0xA2:
        lblTerce->setText(QStringLiteral("Spínací"));
        break;
    case 0xA5:
        redisplay();
        break;
    case 0xAA:
        reset_cas();
        break;
    case 0xAB:
        startCommand();
        break;
    case 0xAC:
        lblNCas->setText(QStringLiteral("čas: ne"));
        break;
    case 0xAE:
        lblNCas->setText(QStringLiteral("čas: ano"));
        break;
    default:
        if (const auto feature = featureText(b); feature && difference)
            lblTyp->setText(lblTyp->text() + *feature);
        break;
    }
    if ((b >> 4) == 0xD)
        targetStateDisplay(b);
}

void TfrmCas::startCommand() {
    tmrOdpocet->setEnabled(false);
    lblCas->setText(QStringLiteral("0,000"));
    t_cas = true;
    tmrCas->setEnabled(true);
    // The moment the start byte came off the line, however late it is decoded.
    StartKQ = QDateTime::fromMSecsSinceEpoch(indata.wallMs);
    startMonotonicMs = indata.monotonicMs;
    CBCas->setFocus();
    setCaptionEditsEnabled(false);
    DXCas1->show();
    frmLED_->showStartBanner();
    events_.started(StartKQ, startMonotonicMs);
}

void TfrmCas::targetStateDisplay(std::uint8_t b) {
    lblCasD->setText(targetStateText(b & 0x0F, courseMode()));
}

void TfrmCas::setCaptionEditsEnabled(bool on) {
    for (QLineEdit* e : {edtM1, edtM2, edtMR, edtSDH, edtText})
        e->setEnabled(on);
}

} // namespace zorvat
