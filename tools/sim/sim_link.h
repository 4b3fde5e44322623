// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zorvat::sim {

// A symbolic link to the port, so the program finds it under a name of its own choosing.
// Removed again on destruction unless someone has pointed it elsewhere meanwhile.
class PortLink {
public:
    PortLink(std::string path, std::string target);
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;
    ~PortLink();

private:
    std::string path_;
    std::string target_;
};

} // namespace zorvat::sim
