// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_link.h"

namespace zorvat {

JournalLink::JournalLink(Journal& journal, const Clock& clock, TimerFactory& timers)
    : journal_(journal), clock_(clock),
      flush_(timers.create(1000,
                           [this] {
                               flush_->setEnabled(false);
                               post([](Journal& j) { j.flush(); });
                           })),
      thread_([this] { work(); }) {}

JournalLink::~JournalLink() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void JournalLink::post(std::function<void(Journal&)> job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void JournalLink::work() {
    for (;;) {
        std::function<void(Journal&)> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(journal_);
    }
}

void JournalLink::flushSoon() {
    // Enabling a running timer keeps its rhythm: the first event of a second sets the moment.
    flush_->setEnabled(true);
}

void JournalLink::bytesReceived(const std::vector<StampedByte>& bytes) {
    post([bytes](Journal& j) { j.recordBytes(bytes); });
    flushSoon();
}

void JournalLink::started(const QDateTime& startKQ, qint64 monotonicMs) {
    post([startKQ, monotonicMs](Journal& j) { j.attemptStarted(startKQ, monotonicMs); });
    flushSoon();
}

void JournalLink::split(int row, qint32 value, const QString& text, const QString& caption) {
    post([=](Journal& j) { j.split(row, value, text, caption); });
    flushSoon();
}

void JournalLink::resultsAdded(const std::vector<ResultEntry>& entries,
                               const std::shared_ptr<void>& shown) {
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
    // The entries are let go of on this thread, once committed (or, when the disk fails,
    // kept in memory: the timekeeper must still see them).
    post([this, rows = std::move(rows), shown](Journal& j) mutable {
        j.resultsAdded(rows);
        QMetaObject::invokeMethod(
            &ui_, [shown = std::move(shown)]() mutable { shown.reset(); }, Qt::QueuedConnection);
    });
}

void JournalLink::resultDeleted(int index) {
    post([index](Journal& j) { j.resultDeleted(index); });
}

void JournalLink::reset() {
    post([](Journal& j) { j.reset(); });
    flushSoon();
}

void JournalLink::linkLost(const QString&) {
    post([now = clock_.now()](Journal& j) { j.linkLost(now); });
    flushSoon();
}

void JournalLink::linkRestored() {
    post([now = clock_.now()](Journal& j) { j.linkRestored(now); });
    flushSoon();
}

} // namespace zorvat
