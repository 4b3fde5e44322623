// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_types.h"

#include <QByteArray>
#include <vector>

namespace zorvat {

// Bytes that arrived within this long of the one before share a script line.
constexpr qint64 kSameLineMs = 2;

// The device bytes as a zorvat-sim script: one line of hex bytes per burst ("BA 01 01 23 45")
// and "wait MS" lines for the time from one burst's first byte to the next one's.
QByteArray streamScript(const std::vector<StampedByte>& bytes);

} // namespace zorvat
