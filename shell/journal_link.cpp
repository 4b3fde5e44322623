// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_link.h"

namespace zorvat {

JournalLink::JournalLink(Journal& journal, const Clock& clock, TimerFactory& timers)
    : journal_(journal), clock_(clock), flush_(timers.create(1000, [this] {
          flush_->setEnabled(false);
          journal_.flush();
      })) {}

void JournalLink::flushSoon() {
    // Enabling a running timer keeps its rhythm: the first event of a second sets the moment.
    flush_->setEnabled(true);
}

void JournalLink::bytesReceived(const std::vector<StampedByte>& bytes) {
    journal_.recordBytes(bytes);
    flushSoon();
}

void JournalLink::started(const QDateTime& startKQ, qint64 monotonicMs) {
    journal_.attemptStarted(startKQ, monotonicMs);
    flushSoon();
}

void JournalLink::split(int row, qint32 value, const QString& text, const QString& caption) {
    journal_.split(row, value, text, caption);
    flushSoon();
}

void JournalLink::resultsAdded(const std::vector<ResultEntry>& entries) {
    std::vector<JournalEntry> rows;
    rows.reserve(entries.size());
    for (const ResultEntry& e : entries) {
        JournalEntry row{e.text, std::nullopt};
        if (e.numbers) {
            const auto& n = *e.numbers;
            row.numbers = ResultNumbers{n[0], n[1], std::nullopt};
            if (e.pair)
                row.numbers->m1492 = std::pair{n[2], n[3]};
        }
        rows.push_back(std::move(row));
    }
    journal_.resultsAdded(rows);
}

void JournalLink::resultDeleted(int index) {
    journal_.resultDeleted(index);
}

void JournalLink::reset() {
    journal_.reset();
    flushSoon();
}

void JournalLink::linkLost(const QString&) {
    journal_.linkLost(clock_.now());
    flushSoon();
}

void JournalLink::linkRestored() {
    journal_.linkRestored(clock_.now());
    flushSoon();
}

} // namespace zorvat
