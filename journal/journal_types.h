// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stamped_byte.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <utility>

namespace zorvat {

// What a result sent to the companion: 1491 always, 1492 for two-number entries.
struct ResultNumbers {
    qint32 w1491, l1491;
    std::optional<std::pair<qint32, qint32>> m1492;
    bool operator==(const ResultNumbers&) const = default;
};

// One results-list entry; no numbers when its text did not convert and nothing was sent.
struct JournalEntry {
    QString text;
    std::optional<ResultNumbers> numbers;
    bool operator==(const JournalEntry&) const = default;
};

} // namespace zorvat
