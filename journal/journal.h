// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_types.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zorvat {

// The results journal: one SQLite file, journal.sqlite, in the data folder. Every call returns
// promptly and never throws; when the file cannot be written, what is pending stays in memory
// and is written once it can be. Calls come from one thread.
class Journal {
public:
    using MonotonicClock = std::function<qint64()>;

    // $ZORVAT_DATA when set, else the platform's data folder (~/.local/share/zorvat on Linux).
    static QString defaultFolder();

    // monotonicMs paces the retries after a failure: the steady clock unless a test drives it.
    // Nothing is opened before beginSession.
    explicit Journal(QString folder, MonotonicClock monotonicMs = {});
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    // Writes what is pending without reporting; does not end the session.
    ~Journal();

    // Begins this run's session. When the latest earlier session has no end (a crash, a kill,
    // a power cut) and no other instance is using the folder, its live results list is copied
    // into the new session, in order, and returned so that the caller can list it again.
    std::vector<QString> beginSession(const QDateTime& now, const QString& edition,
                                      const QString& version);
    // The clean close; calls after it are ignored.
    void endSession(const QDateTime& now);

    // Buffered; written by flush() or with the next result.
    void recordBytes(const std::vector<StampedByte>& bytes);
    void attemptStarted(const QDateTime& startKQ, qint64 startMonotonicMs);
    // row 1..4, value as sent in 1495, text and caption as shown on the board.
    void split(int row, qint32 value, const QString& text, const QString& caption);
    // One call per attempt completion, with its entries in list order. Commits to disk before
    // returning: true when the entries are safe, false when they wait in memory.
    bool resultsAdded(const std::vector<JournalEntry>& entries);
    // listIndex counts the live entries from 0, the first result (not the list's empty entry).
    void resultDeleted(int listIndex);
    void reset();
    void linkLost(const QDateTime& now);
    void linkRestored(const QDateTime& now);
    // Writes buffered bytes, splits and events without waiting for the disk; meant for a
    // coarse timer of the caller's, about once a second.
    void flush();
    // This run's session number, once its row is written.
    std::optional<qint64> sessionNumber() const;

    // The first problem, and the first after each recovery, in the system's words; retries
    // follow with the next calls, at most every few seconds.
    std::function<void(const QString& systemWords)> onProblem;
    std::function<void()> onRecovered;

private:
    struct Parts;
    std::unique_ptr<Parts> d_;
};

} // namespace zorvat
