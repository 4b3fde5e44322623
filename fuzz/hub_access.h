// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zorvat {

class TfrmCas;

// The hub's state fields the harness checks, read in one place.
struct HubState {
    int casu = 0;
    int pcas = 0;
    int framingBytu = 0;
    int framingPocetByte = 0;
    bool t_cas = false;
    int timeCount = 0;   // times that make up an attempt, from the mode byte
    bool attack = false; // the mode byte's attack flag
};

HubState hubState(const TfrmCas& frm);

// Turns every slot into its text forms; whatever the slots hold must not fault.
void formAllSlots(const TfrmCas& frm);

} // namespace zorvat
