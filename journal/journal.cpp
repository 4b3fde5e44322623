// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal.h"

#include "journal_file.h"
#include "journal_state.h"
#include "journal_writer.h"
#include "session_lookup.h"
#include "wall_time.h"

#include <QLockFile>
#include <QStandardPaths>
#include <chrono>

namespace zorvat {

namespace {

// A failing disk is tried again after this long, so that a slow failure cannot add up.
constexpr qint64 kRetryAfterMs = 3000;
// Another instance writing at the same moment makes a call wait at most this long; the data
// then stays in memory until the next try rather than hold up the timekeeper.
constexpr int kBusyTimeoutMs = 5;
// At close no time is running any more: another instance's commit may finish first.
constexpr int kClosingBusyTimeoutMs = 2000;

qint64 steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

struct Journal::Parts {
    Parts(Journal& owner, QString folder, MonotonicClock clock)
        : journal(owner), folder(std::move(folder)), monotonicMs(std::move(clock)),
          instanceLock(this->folder + QStringLiteral("/journal.lock")) {
        // Only a dead process's lock is taken over, however old a live one is.
        instanceLock.setStaleLockTime(0);
    }

    bool ensureOpen();
    using Step = std::function<std::optional<SqliteProblem>(SqliteConnection&)>;
    bool withDatabase(const Step& step);
    std::vector<ListedResult> restorableList();
    bool commit(bool durable);
    void queue(PendingWrite write);
    void fail(const SqliteProblem& problem);
    void succeed();

    Journal& journal;
    const QString folder;
    const MonotonicClock monotonicMs;
    // Held while this instance runs, so that another one does not take our open session
    // for a crashed one.
    QLockFile instanceLock;
    std::unique_ptr<SqliteConnection> db;
    bool knownDamaged = false;

    std::optional<SessionStart> session;
    bool ended = false;
    bool closing = false;
    std::vector<PendingWrite> pending;
    std::vector<StampedByte> pendingBytes;
    WrittenState written;

    bool failing = false;
    qint64 retryAtMs = 0;
};

bool Journal::Parts::ensureOpen() {
    if (db)
        return true;
    OpenedJournal opened = openJournalForWriting(folder, knownDamaged,
                                                 closing ? kClosingBusyTimeoutMs : kBusyTimeoutMs);
    if (opened.problem)
        fail(*opened.problem);
    if (!opened.db)
        return false;
    db = std::move(opened.db);
    knownDamaged = false;
    if (!instanceLock.isLocked())
        instanceLock.tryLock(0);
    if (!written.session)
        return true;

    // A file that lost our session row (replaced or removed meanwhile) gets it again, with the
    // live list, at the next commit; attempts of the old file mean nothing there.
    const std::optional<bool> holds = holdsSession(*db, *written.session, session->started);
    if (!holds) {
        fail(db->problem());
        return false;
    }
    if (!*holds) {
        written.session.reset();
        written.attempt.reset();
        for (ListedResult& result : written.liveList)
            result.attempt.reset();
    }
    return true;
}

// A damaged file is moved aside and the step runs once more on a fresh one.
bool Journal::Parts::withDatabase(const Step& step) {
    for (int tries = 0; tries < 2; ++tries) {
        if (!ensureOpen())
            return false;
        const std::optional<SqliteProblem> problem = step(*db);
        if (!problem) {
            succeed();
            return true;
        }
        fail(*problem);
        if (!problem->corrupt)
            return false;
    }
    return false;
}

std::vector<ListedResult> Journal::Parts::restorableList() {
    std::vector<ListedResult> list;
    withDatabase([&](SqliteConnection& db) -> std::optional<SqliteProblem> {
        if (!instanceLock.isLocked() && instanceLock.error() == QLockFile::LockFailedError)
            return std::nullopt; // the latest session is that instance's, and alive
        std::optional<std::vector<ListedResult>> found = unfinishedList(db);
        if (!found)
            return db.problem();
        list = std::move(*found);
        return std::nullopt;
    });
    return list;
}

bool Journal::Parts::commit(bool durable) {
    if (!session)
        return false;
    if (written.session && pending.empty() && pendingBytes.empty())
        return true;
    if (failing && monotonicMs() < retryAtMs)
        return false;
    const bool ok = withDatabase([&](SqliteConnection& db) {
        return writePending(db, *session, pending, pendingBytes, durable, written);
    });
    if (!ok)
        return false;
    pending.clear();
    pendingBytes.clear();
    return true;
}

void Journal::Parts::queue(PendingWrite write) {
    if (session && !ended)
        pending.push_back(std::move(write));
}

void Journal::Parts::fail(const SqliteProblem& problem) {
    // The next open starts from scratch: a connection that failed may hold a broken state.
    db.reset();
    knownDamaged = knownDamaged || problem.corrupt;
    retryAtMs = monotonicMs() + kRetryAfterMs;
    if (std::exchange(failing, true))
        return;
    if (journal.onProblem)
        journal.onProblem(problem.words);
}

void Journal::Parts::succeed() {
    if (std::exchange(failing, false) && journal.onRecovered)
        journal.onRecovered();
}

QString Journal::defaultFolder() {
    const QString fromEnvironment = qEnvironmentVariable("ZORVAT_DATA");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zorvat");
}

Journal::Journal(QString folder, MonotonicClock monotonicMs)
    : d_(std::make_unique<Parts>(*this, std::move(folder),
                                 monotonicMs ? std::move(monotonicMs) : steadyMs)) {}

Journal::~Journal() {
    // Whoever listened may be gone by now.
    onProblem = nullptr;
    onRecovered = nullptr;
    d_->closing = true;
    if (d_->db)
        d_->db->setBusyTimeout(kClosingBusyTimeoutMs);
    d_->retryAtMs = 0;
    d_->commit(true);
}

std::vector<QString> Journal::beginSession(const QDateTime& now, const QString& edition,
                                           const QString& version) {
    if (d_->session)
        return {};
    d_->session = SessionStart{storedWallTime(now), edition, version};
    d_->written.liveList = d_->restorableList();
    d_->commit(true);
    std::vector<QString> texts;
    for (const ListedResult& result : d_->written.liveList)
        texts.push_back(result.entry.text);
    return texts;
}

void Journal::endSession(const QDateTime& now) {
    d_->queue(SessionEnd{storedWallTime(now)});
    d_->commit(true);
    d_->ended = d_->session.has_value();
}

void Journal::recordBytes(const std::vector<StampedByte>& bytes) {
    if (d_->session && !d_->ended)
        d_->pendingBytes.insert(d_->pendingBytes.end(), bytes.begin(), bytes.end());
}

void Journal::attemptStarted(const QDateTime& startKQ, qint64 startMonotonicMs) {
    d_->queue(AttemptStart{storedWallTime(startKQ), startMonotonicMs});
}

void Journal::split(int row, qint32 value, const QString& text, const QString& caption) {
    d_->queue(SplitTaken{row, value, text, caption});
}

bool Journal::resultsAdded(const std::vector<JournalEntry>& entries) {
    if (!d_->session || d_->ended)
        return false;
    d_->queue(ResultsListed{entries});
    return d_->commit(true);
}

void Journal::resultDeleted(int listIndex) {
    d_->queue(ResultRemoved{listIndex});
    d_->commit(true);
}

void Journal::reset() {
    d_->queue(AttemptEvent{"reset", std::nullopt});
}

void Journal::linkLost(const QDateTime& now) {
    d_->queue(AttemptEvent{"link lost", storedWallTime(now)});
}

void Journal::linkRestored(const QDateTime& now) {
    d_->queue(AttemptEvent{"link restored", storedWallTime(now)});
}

void Journal::flush() {
    d_->commit(false);
}

std::optional<qint64> Journal::sessionNumber() const {
    return d_->written.session;
}

} // namespace zorvat
