// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "attempt_events.h"
#include "companion.h"

#include <functional>

namespace zorvat {

// The companion results program as a subscriber of the attempt events: the one place that
// knows the message numbers, both ways.
class CompanionLink final : public AttemptEvents {
public:
    enum Message : int {
        Settings = 1490,    // ours: version, mode byte; theirs: asks for it
        Result = 1491,      // first two numbers of a result
        PairResult = 1492,  // last two numbers of a two-attack result
        ActualText = 1493,  // theirs: actual.txt is written
        Version = 1494,     // ours: version, precision; theirs: asks for it
        StartOrSplit = 1495 // 0, 0 for the start; row and value for a split
    };

    // What the companion asks of the main window.
    struct Requests {
        std::function<void()> settings;
        std::function<void()> version;
        std::function<void()> actualText;
    };

    CompanionLink(Companion& companion, Requests requests);
    ~CompanionLink() override;
    CompanionLink(const CompanionLink&) = delete;
    CompanionLink& operator=(const CompanionLink&) = delete;

    void deviceSettings(int verze, std::uint8_t modeByte) override;
    void versionAndPrecision(int verze, int precisionIndex) override;
    void started(const QDateTime& startKQ, qint64 monotonicMs) override;
    void split(int row, qint32 value, const QString& text, const QString& caption) override;
    void resultsAdded(const std::vector<ResultEntry>& entries,
                      const std::shared_ptr<void>& shown) override;

private:
    void received(int msg);

    Companion& companion_;
    Requests requests_;
};

} // namespace zorvat
