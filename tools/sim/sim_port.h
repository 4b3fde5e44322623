// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zorvat::sim {

// The device's end of the serial line: the master of a pseudo-terminal or an existing tty.
class DevicePort {
public:
    static DevicePort openPseudoTerminal();
    static DevicePort openTty(const std::string& path);

    DevicePort(DevicePort&& other) noexcept;
    DevicePort(const DevicePort&) = delete;
    DevicePort& operator=(const DevicePort&) = delete;
    DevicePort& operator=(DevicePort&&) = delete;
    ~DevicePort();

    int fd() const { return fd_; }

    // The path the program opens: the slave of the pseudo-terminal, or the tty itself.
    const std::string& programSidePath() const { return programSidePath_; }

    // Pseudo-terminal only: whether some process has the slave open.
    bool programSideOpen() const;

    // Pseudo-terminal only: forgets bytes the program has not read; a switched-off device's
    // bytes must not reach the next one to open the port.
    void discardUnread();

    // Stops early only when a stop signal arrives while the line is blocked.
    void write(const std::vector<std::uint8_t>& bytes);

    // Reads and drops whatever the program wrote.
    void drainInput();

private:
    DevicePort(int fd, std::string programSidePath) noexcept
        : fd_(fd), programSidePath_(std::move(programSidePath)) {}

    int fd_;
    std::string programSidePath_;
};

} // namespace zorvat::sim
