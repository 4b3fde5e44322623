// SPDX-License-Identifier: GPL-3.0-or-later
#include "running_time.h"

namespace zorvat {

QString runningTimeText(qint64 elapsedMs, bool hundredths) {
    QString text = QStringLiteral("%1,%2")
                       .arg(elapsedMs / 1000)
                       .arg(elapsedMs % 1000, 3, 10, QLatin1Char('0'));
    if (hundredths)
        text.chop(1);
    return text;
}

bool runsInHundredthsOnly(int verze) {
    return verze == 454 || verze == 462 || verze == 463;
}

} // namespace zorvat
