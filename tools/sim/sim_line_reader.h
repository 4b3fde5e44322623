// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace zorvat::sim {

// Collects whole lines from a descriptor as they arrive.
class LineReader {
public:
    explicit LineReader(int fd) : fd_(fd) {}

    // Reads once and appends the lines completed; false when the input has ended, after
    // handing out a last line that had no newline.
    bool readLines(std::vector<std::string>& lines);

private:
    int fd_;
    std::string partial_;
};

} // namespace zorvat::sim
