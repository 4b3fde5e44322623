// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry: one QApplication for the whole run, a fresh window per input.
#include "decoder_input.h"

#include <QApplication>

// Font lookups keep one-time caches that the leak check would report on the first input.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The fuzzer runs until the process ends; the application lives as long.
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zorvat::runDecoderInput(data, size);
    return 0;
}
