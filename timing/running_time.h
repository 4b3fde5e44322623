// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace zorvat {

// The running display's text of an elapsed time in ms: seconds, ",", three decimals; at
// hundredths the last digit is cut, not rounded (12 345 ms gives 12,34). Below zero it is 0.
QString runningTimeText(qint64 elapsedMs, bool hundredths);

// Versions that always show the running time in hundredths, whatever the precision list says.
bool runsInHundredthsOnly(int verze);

} // namespace zorvat
