// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

namespace zorvat {

// Wall times are kept as ISO 8601 text with milliseconds and the offset from UTC, so that an
// export shows the time the timekeeper saw, wherever and whenever it is read.
QString storedWallTime(const QDateTime& time);
QDateTime wallTimeFromStored(const QString& text);

} // namespace zorvat
