// SPDX-License-Identifier: GPL-3.0-or-later
#include "running_time.h"

#include <algorithm>
#include <charconv>

namespace zorvat {

QString runningTimeText(qint64 elapsedMs, bool hundredths) {
    // Made every frame while the clock runs, so without QString::arg's parsing.
    elapsedMs = std::max<qint64>(elapsedMs, 0);
    char text[32];
    char* end = std::to_chars(text, text + sizeof text - 4, elapsedMs / 1000).ptr;
    const int fraction = static_cast<int>(elapsedMs % 1000);
    *end++ = ',';
    *end++ = static_cast<char>('0' + fraction / 100);
    *end++ = static_cast<char>('0' + fraction / 10 % 10);
    if (!hundredths)
        *end++ = static_cast<char>('0' + fraction % 10);
    return QString::fromLatin1(text, end - text);
}

bool runsInHundredthsOnly(int verze) {
    return verze == 454 || verze == 462 || verze == 463;
}

} // namespace zorvat
