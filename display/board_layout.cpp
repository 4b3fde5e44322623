// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_layout.h"

#include <algorithm>

namespace zorvat {

namespace {

// An empty label keeps the height of a line.
QString measurable(const QString& text) {
    return text.isEmpty() ? QStringLiteral(" ") : text;
}

} // namespace

BoardLayout computeBoardLayout(int W, int H, const QString& teamName, const QString& longestCaption,
                               const MeasureText& measure) {
    BoardLayout l{};
    l.teamPt = teamName.size() <= 25 ? 70 : 35;
    l.hS = measure(measurable(teamName), l.teamPt).height;

    const QString caption = measurable(longestCaption);
    const int rowSpace = (H - 25 - l.hS - 80) / 4;
    int s = 1;
    for (; s <= kLargestRowPoints; ++s) {
        const TextSize time = measure(kWidestTime, s);
        if (time.width + measure(caption, s).width > W - 30 || rowSpace < time.height)
            break;
    }
    l.f = std::max(1, s - 4);

    const TextSize time = measure(kWidestTime, l.f);
    l.wC = measure(caption, l.f).width;
    l.wT = time.width;
    l.hR = time.height;
    return l;
}

QString longestCaption(const QString& m0, const QString& m1, const QString& m2, const QString& mr) {
    const QString* longest = &m0;
    for (const QString* m : {&m1, &m2, &mr}) {
        if (m->size() > longest->size())
            longest = m;
    }
    return *longest;
}

} // namespace zorvat
