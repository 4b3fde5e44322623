// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace zorvat {

// A split as a count of units (100 for hundredths, 1000 for thousandths) from an elapsed
// time in ms, rounded to the nearest unit with ties to even; kept as 32 bits, as the
// companion receives it.
qint32 splitValue(qint64 elapsedMs, int unit);

// The split text: whole seconds, ",", then two decimals at hundredths or three at thousandths.
QString splitText(qint32 value, int unit);

} // namespace zorvat
