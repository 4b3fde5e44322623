// SPDX-License-Identifier: GPL-3.0-or-later
#include "split_time.h"

namespace zorvat {

qint32 splitValue(qint64 elapsedMs, int unit) {
    const qint64 num = elapsedMs * unit;
    constexpr qint64 den = 1000;
    qint64 q = num / den;
    qint64 r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1)))
        ++q;
    return static_cast<qint32>(static_cast<quint32>(q));
}

QString splitText(qint32 value, int unit) {
    const qint32 q = value / unit;
    const qint32 r = value % unit;
    QString text = QString::number(q) + QLatin1Char(',');
    if (r < 100 && unit == 1000)
        text += QLatin1Char('0');
    if (r < 10)
        text += QLatin1Char('0');
    return text + QString::number(r);
}

} // namespace zorvat
