// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_line_reader.h"

#include <cerrno>
#include <unistd.h>

namespace zorvat::sim {

bool LineReader::readLines(std::vector<std::string>& lines) {
    char buffer[4096];
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
        return true;
    if (n <= 0) {
        if (!partial_.empty())
            lines.push_back(std::move(partial_));
        partial_.clear();
        return false;
    }
    partial_.append(buffer, static_cast<std::size_t>(n));
    std::size_t start = 0;
    for (std::size_t end; (end = partial_.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(partial_.substr(start, end - start));
    partial_.erase(0, start);
    return true;
}

} // namespace zorvat::sim
