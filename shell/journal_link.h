// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "attempt_events.h"
#include "clock.h"
#include "journal.h"
#include "timer.h"

#include <QObject>
#include <condition_variable>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

namespace zorvat {

// The journal as a subscriber of the attempt events, on a thread of its own so that waiting
// for the disk never holds up the window. Calls reach the journal in the order they were made.
// An attempt's results are listed once they are on disk; bytes, splits and events are written
// a second after the first of them, so an idle program writes nothing.
class JournalLink final : public AttemptEvents {
public:
    // The journal's session has begun; from here on only this link's thread touches it.
    JournalLink(Journal& journal, const Clock& clock, TimerFactory& timers);
    // Writes what is queued, then stops the thread.
    ~JournalLink() override;
    JournalLink(const JournalLink&) = delete;
    JournalLink& operator=(const JournalLink&) = delete;

    void bytesReceived(const std::vector<StampedByte>& bytes) override;
    void started(const QDateTime& startKQ, qint64 monotonicMs) override;
    void split(int row, qint32 value, const QString& text, const QString& caption) override;
    void resultsAdded(const std::vector<ResultEntry>& entries,
                      const std::shared_ptr<void>& shown) override;
    void resultDeleted(int index) override;
    void reset() override;
    void linkLost(const QString& reason) override;
    void linkRestored() override;

    // Runs f on the journal's thread after everything queued before it, and waits for it.
    template <typename F> auto call(F f) -> decltype(f(std::declval<Journal&>())) {
        using R = decltype(f(std::declval<Journal&>()));
        std::packaged_task<R(Journal&)> task(std::move(f));
        std::future<R> result = task.get_future();
        post([&task](Journal& j) { task(j); });
        return result.get();
    }

private:
    void post(std::function<void(Journal&)> job);
    void flushSoon();
    void work();

    Journal& journal_;
    const Clock& clock_;
    std::unique_ptr<Timer> flush_;
    QObject ui_; // lives on the user-interface thread; queued calls land there
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void(Journal&)>> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace zorvat
