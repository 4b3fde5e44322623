// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_link.h"

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace zorvat::sim {

PortLink::PortLink(std::string path, std::string target)
    : path_(std::move(path)), target_(std::move(target)) {
    struct stat info {};
    if (lstat(path_.c_str(), &info) == 0) {
        // Replace a stale link from an earlier run, never a real file.
        if (!S_ISLNK(info.st_mode))
            throw std::runtime_error(path_ + " exists and is not a symbolic link");
        if (unlink(path_.c_str()) != 0)
            throw std::system_error(errno, std::generic_category(), "cannot remove " + path_);
    }
    if (symlink(target_.c_str(), path_.c_str()) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot create link " + path_);
}

PortLink::~PortLink() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink(path_.c_str(), buffer, sizeof buffer);
    if (n >= 0 && std::string(buffer, static_cast<std::size_t>(n)) == target_)
        unlink(path_.c_str());
}

} // namespace zorvat::sim
