// SPDX-License-Identifier: GPL-3.0-or-later
// Showing the device's settings bytes in the time panel.
#include "device_settings.h"
#include "tfrmcas.h"

namespace zorvat {

void TfrmCas::Nastav_uPC() {
    const DeviceSettingsView v = decodeDeviceSettings(nast, verze, edition_);
    lblNCas->setVisible(v.timeFlagShown);
    if (v.timeFlag)
        lblNCas->setText(*v.timeFlag);
    if (v.course)
        lblDraha->setText(*v.course);
    pripravaM = v.pripravaM;
    pripravaS = v.pripravaS;
    lblPriprava->setText(v.preparation);
    if (v.targets)
        lblTerce->setText(*v.targets);
    events_.deviceSettings(verze, nast[0]);
    Nastaveni();
}

CourseMode TfrmCas::courseMode() const {
    return courseModeOf(lblDraha->text());
}

} // namespace zorvat
