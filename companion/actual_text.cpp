// SPDX-License-Identifier: GPL-3.0-or-later
#include "actual_text.h"

#include "local_text.h"

#include <QStringList>

namespace zorvat {

namespace {

QString withoutControls(QString line) {
    line.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return line;
}

} // namespace

ActualText actualText(QByteArray bytes, bool whole) {
    // Cut from a longer file, the text ends at its last line break: a character split by the
    // cut would make all of it look like another encoding.
    if (!whole) {
        const qsizetype end = bytes.lastIndexOf('\n');
        if (end >= 0)
            bytes.truncate(end + 1);
    }
    const QStringList lines = decodeLocalText(bytes).split(QLatin1Char('\n'));
    return {withoutControls(lines.value(0)), withoutControls(lines.value(1))};
}

} // namespace zorvat
