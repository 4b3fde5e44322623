// SPDX-License-Identifier: GPL-3.0-or-later
// What the journal costs its caller, on a real file in /tmp: recording device bytes, a split,
// the results of an attempt (committed to disk), and the flush a coarse timer drives.
#include "journal.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zorvat;

namespace {

struct Figures {
    std::vector<qint64> ns;
    void time(const std::function<void()>& call) {
        QElapsedTimer clock;
        clock.start();
        call();
        ns.push_back(clock.nsecsElapsed());
    }
    void print(const char* name) {
        std::sort(ns.begin(), ns.end());
        const auto at = [&](double share) {
            return ns[std::min(ns.size() - 1, std::size_t(share * double(ns.size())))] / 1000.0;
        };
        std::printf("%-28s p50 %9.1f us   p99 %9.1f us   max %9.1f us   (%zu calls)\n", name,
                    at(0.50), at(0.99), ns.back() / 1000.0, ns.size());
    }
};

} // namespace

int main() {
    QTemporaryDir dir(QStringLiteral("/tmp/journal-bench-XXXXXX"));
    Journal journal(dir.path());
    journal.onProblem = [](const QString& words) {
        std::fprintf(stderr, "journal problem: %s\n", qPrintable(words));
    };
    const QDateTime start = QDateTime::currentDateTime();
    journal.beginSession(start, QStringLiteral("d"), QStringLiteral("bench"));

    // An attempt as the device and the timekeeper make it: bursts of a few bytes, four splits,
    // four results; the caller flushes once a second, here once per attempt.
    Figures bytes, splits, results, flushes;
    qint64 ms = 0;
    for (int attempt = 0; attempt < 300; ++attempt) {
        journal.attemptStarted(start.addMSecs(ms), ms);
        for (int burst = 0; burst < 40; ++burst) {
            ms += 250;
            std::vector<StampedByte> stamped;
            for (int i = 0; i < 5; ++i)
                stamped.push_back({std::uint8_t(0xB0 + i), ms + i, 1'715'500'000'000 + ms + i});
            bytes.time([&] { journal.recordBytes(stamped); });
        }
        for (int row = 1; row <= 4; ++row)
            splits.time([&] {
                journal.split(row, 1000 * row, QStringLiteral("%1,00").arg(10 * row),
                              QStringLiteral("Popis"));
            });
        const std::vector<JournalEntry> entries(
            4, JournalEntry{QStringLiteral("14,96L 23,88"),
                            ResultNumbers{0, 1496, std::pair{2, 2388}}});
        results.time([&] { journal.resultsAdded(entries); });
        for (int burst = 0; burst < 40; ++burst) {
            ms += 250;
            journal.recordBytes({{0xAA, ms, 1'715'500'000'000 + ms}});
        }
        flushes.time([&] { journal.flush(); });
    }
    journal.endSession(start.addMSecs(ms));

    std::printf("journal in %s\n", qPrintable(dir.path()));
    bytes.print("recordBytes (5 bytes)");
    splits.print("split");
    results.print("resultsAdded (4 entries)");
    flushes.print("flush (40 bytes pending)");
    return 0;
}
