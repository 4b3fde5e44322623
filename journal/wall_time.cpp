// SPDX-License-Identifier: GPL-3.0-or-later
#include "wall_time.h"

namespace zorvat {

QString storedWallTime(const QDateTime& time) {
    // A local time prints without its offset; a fixed offset prints with it.
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QDateTime wallTimeFromStored(const QString& text) {
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

} // namespace zorvat
