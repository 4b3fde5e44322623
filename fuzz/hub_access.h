// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvat {

class TfrmCas;

// What the harness checks of the hub's state fields, read in one place.
struct HubReading {
    int casu = 0;
    int pcas = 0;
    int framingBytu = 0;
    int framingPocetByte = 0;
    bool t_cas = false;
    int timeCount = 0;   // times that make up an attempt, from the mode byte
    bool attack = false; // the mode byte's attack flag
};

HubReading hubState(const TfrmCas& frm);

// The text forms of all four time slots, whatever they hold: the sanitizers and the bounds
// checks watch these calls.
void formAllSlots(const TfrmCas& frm);

} // namespace zorvat
