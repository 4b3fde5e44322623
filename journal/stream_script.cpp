// SPDX-License-Identifier: GPL-3.0-or-later
#include "stream_script.h"

#include <algorithm>
#include <optional>

namespace zorvat {

namespace {

// The simulator takes no single wait longer than an hour.
constexpr qint64 kLongestWaitMs = 3'600'000;

void appendWait(QByteArray& script, qint64 ms) {
    for (; ms > 0; ms -= kLongestWaitMs)
        script += "wait " + QByteArray::number(std::min(ms, kLongestWaitMs)) + '\n';
}

} // namespace

QByteArray streamScript(const std::vector<StampedByte>& bytes) {
    QByteArray script;
    std::optional<qint64> lineStartMs, previousMs;
    for (const StampedByte& b : bytes) {
        if (previousMs && b.monotonicMs - *previousMs <= kSameLineMs) {
            script += ' ';
        } else {
            if (lineStartMs) {
                script += '\n';
                appendWait(script, b.monotonicMs - *lineStartMs);
            }
            lineStartMs = b.monotonicMs;
        }
        script += QByteArray::number(b.value, 16).rightJustified(2, '0').toUpper();
        previousMs = b.monotonicMs;
    }
    if (!bytes.empty())
        script += '\n';
    return script;
}

} // namespace zorvat
