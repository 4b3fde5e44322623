// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace zorvat {

// What one run of an input left behind, as far as it must not depend on how the device's
// bytes were paced.
struct RunRecord {
    QStringList results; // the results list at the end
    // Companion messages in order; split messages (1495 with a row) are left out, their
    // values and even their number depend on the time the bytes took.
    std::vector<std::array<std::int32_t, 3>> messages;
    // lblCas and lblCasD at each attempt completion; "*" for a label that the bytes decoded
    // together with the completion did not change (it shows a running time or a countdown).
    QStringList finalLabels;
    QStringList errors; // error boxes shown
    // Every named control of both windows and everything sent outside, when asked for.
    QString dump;
};

} // namespace zorvat
