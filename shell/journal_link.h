// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "attempt_events.h"
#include "clock.h"
#include "journal.h"
#include "timer.h"

#include <memory>

namespace zorvat {

// The journal as a subscriber of the attempt events. Results are committed as they come (the
// main window shows them only afterwards); bytes, splits and events are buffered and written
// a second after the first of them, so an idle program writes nothing.
class JournalLink final : public AttemptEvents {
public:
    JournalLink(Journal& journal, const Clock& clock, TimerFactory& timers);

    void bytesReceived(const std::vector<StampedByte>& bytes) override;
    void started(const QDateTime& startKQ, qint64 monotonicMs) override;
    void split(int row, qint32 value, const QString& text, const QString& caption) override;
    void resultsAdded(const std::vector<ResultEntry>& entries) override;
    void resultDeleted(int index) override;
    void reset() override;
    void linkLost(const QString& reason) override;
    void linkRestored() override;

private:
    void flushSoon();

    Journal& journal_;
    const Clock& clock_;
    std::unique_ptr<Timer> flush_;
};

} // namespace zorvat
