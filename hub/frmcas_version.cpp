// SPDX-License-Identifier: GPL-3.0-or-later
// The firmware version step: per-version parameters, the version and precision lists, and
// the format caption.
#include "settings_bytes.h"
#include "tfrmcas.h"
#include "version_table.h"

namespace zorvat {

void TfrmCas::nastav_cas() {
    const int pos = versionListPosition(verze, edition_);
    if (pos >= 0)
        CBverze->setCurrentIndex(pos < CBverze->count() ? pos : -1);
    const bool choice = offersPrecisionChoice(verze, edition_);
    lblFormatC->setVisible(choice);
    CBFormat->setVisible(choice);
    if (!choice)
        CBFormat->setCurrentIndex(0);
    events_.versionAndPrecision(verze, CBFormat->currentIndex());
}

void TfrmCas::nastav_typ() {
    nastav_cas();
    t_cas = false;
    t_posun = false;
    BCas = 3;
    pocetB_Uvod = 5;
    maxTime = 999999;
    if (const int item = CBverze->currentIndex(); item >= 0) {
        const VersionRow& row = versionTable()[item];
        BCas = row.BCas;
        pocetB_Uvod = row.pocetB_Uvod;
        maxTime = row.maxTime;
        formatU = QString::fromLatin1(row.formatU);
        formatS = QString::fromLatin1(row.formatS);
    }
    setFormatCaption();
    if (edition_ == Edition::Difference)
        nastav_cas();
}

void TfrmCas::setFormatCaption() {
    lblFormat->setText(QStringLiteral("Formát času: ") + (attackFlag(nast[0]) ? formatU : formatS));
}

void TfrmCas::Nastaveni() {
    setFormatCaption();
    lblCas->setText(QString());
    lblCasD->setText(QString());
}

void TfrmCas::CBFormatChange() {
    nastav_typ();
}

void TfrmCas::CBverzeChange() {
    if (const int item = CBverze->currentIndex(); item >= 0)
        verze = versionTable()[item].verze;
    Nastaveni();
}

} // namespace zorvat
