// SPDX-License-Identifier: GPL-3.0-or-later
// The text forms of the four time slots, with the version and precision chosen now.
#include "tfrmcas.h"

namespace zorvat {

namespace {

Precision precisionOf(const QComboBox* list) {
    return list->currentIndex() == 1 ? Precision::Thousandths : Precision::Hundredths;
}

} // namespace

QString TfrmCas::CasToStr(int slot, bool ano) const {
    return zorvat::CasToStr(casy[slot - 1], ano, {verze, edition_}, precisionOf(CBFormat));
}

QString TfrmCas::CasToStrOut(int slot, bool ano) const {
    return zorvat::CasToStrOut(casy[slot - 1], ano, {verze, edition_});
}

std::uint8_t TfrmCas::channelCodeOf(int slot) const {
    return channelCode(casy[slot - 1], {verze, edition_});
}

QString TfrmCas::Decode_Terc(int slot) const {
    return zorvat::Decode_Terc(channelCodeOf(slot));
}

bool TfrmCas::preved_cas(const QString& cas) {
    const PrevedResult r = zorvat::preved_cas(cas);
    data_out = r.data_out;
    if (r.error)
        s_.errors.show(*r.error);
    return !r.error;
}

} // namespace zorvat
