// SPDX-License-Identifier: GPL-3.0-or-later
#include "hub_access.h"

#include "course.h"
#include "settings_bytes.h"
#include "tfrmcas.h"
#include "time_text.h"

#include <QComboBox>

namespace zorvat {

HubReading hubState(const TfrmCas& frm) {
    const HubState s = frm.state();
    return {
        s.casu, s.pcas, s.bytu, s.pocetByte, s.t_cas, slotCount(s.nast[0]), attackFlag(s.nast[0])};
}

void formAllSlots(const TfrmCas& frm) {
    const HubState s = frm.state();
    const TimeFormat format{s.verze, frm.edition()};
    const auto* precision = frm.findChild<const QComboBox*>(QStringLiteral("CBFormat"));
    const Precision p =
        precision->currentIndex() == 1 ? Precision::Thousandths : Precision::Hundredths;
    for (const DeviceTime& slot : s.casy) {
        CasToStr(slot, true, format, p);
        CasToStrOut(slot, true, format);
    }
}

} // namespace zorvat
