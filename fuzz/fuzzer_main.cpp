// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: one QApplication and one pair of windows per edition for the whole run.
#include "fuzz_session.h"
#include "fuzz_target.h"

#include <QApplication>

// Font lookups keep one-time caches that the leak check would report on the first input.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// Qt allocates a lot: recording every allocation's stack, a 256 MB quarantine and filling each
// new block would make the sanitizers several times slower. Reports still show where the fault
// happened, and every access is still checked.
extern "C" const char* __asan_default_options() {
    return "malloc_context_size=2:quarantine_size_mb=16:max_malloc_fill_size=0";
}

namespace {

// Every this many inputs the reset between runs is checked as well (a new pair of windows per
// check), and the journal (a database file per check).
constexpr unsigned kResetCheckEvery = 128;
constexpr unsigned kJournalCheckEvery = 256;

zorvat::FuzzSession* session = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // With TZ unset the C library looks at /etc/localtime again for every local time, and
    // virtual time asks for one with every byte delivered.
    qputenv("TZ", "UTC");
    // Both live until the process ends.
    new QApplication(*argc, *argv);
    session = new zorvat::FuzzSession;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static unsigned count = 0;
    ++count;
    zorvat::runFuzzInput(*session, data, size,
                         {count % kResetCheckEvery == 0, count % kJournalCheckEvery == 0, false});
    return 0;
}
