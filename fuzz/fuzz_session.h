// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fuzz_input.h"
#include "run_record.h"

#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <memory>

namespace zorvat {

class JournalLink;
struct FakeWorld;

// How the device's bytes between two actions reach the program.
enum class Pacing {
    AtOnce,         // all together
    PerMillisecond, // one each millisecond
    RandomChunks,   // chunks of 1 to 32 bytes with gaps of 0 to 20 ms, from a seed
};

// One pair of windows per edition, made on first use and reset between runs, in virtual time.
// Keeps kq.ini and actual.txt in a temporary folder of its own. Needs a QApplication.
class FuzzSession {
public:
    FuzzSession();
    ~FuzzSession();
    FuzzSession(const FuzzSession&) = delete;
    FuzzSession& operator=(const FuzzSession&) = delete;

    // Runs the script from the intro state; the oracles that hold within one run abort the
    // process when broken. withDump fills RunRecord::dump. journal, when given, follows the
    // run's events, and each step waits until the journal has taken what it was given.
    RunRecord run(const FuzzScript& script, Pacing pacing, std::uint32_t seed, bool withDump,
                  JournalLink* journal = nullptr);

    // The clock and timers of an edition's windows (a journal link needs them).
    FakeWorld& world(Edition edition);

private:
    struct Table;
    Table& table(Edition edition);

    QTemporaryDir dir_;
    std::array<std::unique_ptr<Table>, 2> tables_;
};

} // namespace zorvat
