// SPDX-License-Identifier: GPL-3.0-or-later
#include "hub_access.h"

#include "course.h"
#include "settings_bytes.h"
#include "tfrmcas.h"

namespace zorvat {

HubState hubState(const TfrmCas& frm) {
    return {frm.casu,
            frm.pcas,
            frm.framing.bytu,
            frm.framing.pocetByte,
            frm.t_cas,
            slotCount(frm.nast[0]),
            attackFlag(frm.nast[0])};
}

void formAllSlots(const TfrmCas& frm) {
    for (int slot = 1; slot <= 4; ++slot) {
        frm.CasToStr(slot, true);
        frm.CasToStrOut(slot, true);
    }
}

} // namespace zorvat
