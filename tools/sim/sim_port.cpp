// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_port.h"

#include "sim_stop_signal.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <system_error>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace zorvat::sim {

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void configureLine(int fd, const std::string& name) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        fail("cannot read the line settings of " + name);
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        fail("cannot set " + name + " to raw 9600 8N1");
}

} // namespace

DevicePort DevicePort::openPseudoTerminal() {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        fail("cannot open a pseudo-terminal");
    DevicePort port(master, {});
    if (grantpt(master) != 0 || unlockpt(master) != 0)
        fail("cannot unlock the pseudo-terminal");
    const char* slaveName = ptsname(master);
    if (slaveName == nullptr)
        fail("cannot name the pseudo-terminal slave");
    port.programSidePath_ = slaveName;
    // Settings made on the master apply to the slave the program opens.
    configureLine(master, port.programSidePath_);

    // Linux reports POLLHUP on the master only after the slave has once been closed; open and
    // close it here so that "nobody has it open" is visible from the start.
    const int slave = open(slaveName, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave < 0)
        fail("cannot open " + port.programSidePath_);
    close(slave);
    return port;
}

DevicePort DevicePort::openTty(const std::string& path) {
    // Non-blocking so a line without carrier does not hang the open.
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        fail("cannot open " + path);
    DevicePort port(fd, path);
    if (!isatty(fd))
        throw std::runtime_error(path + " is not a tty");
    configureLine(fd, path);
    if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        fail("cannot make " + path + " blocking");
    return port;
}

DevicePort::DevicePort(DevicePort&& other) noexcept
    : fd_(other.fd_), programSidePath_(std::move(other.programSidePath_)) {
    other.fd_ = -1;
}

DevicePort::~DevicePort() {
    if (fd_ >= 0)
        close(fd_);
}

bool DevicePort::programSideOpen() const {
    pollfd pfd{fd_, POLLIN, 0};
    return poll(&pfd, 1, 0) >= 0 && (pfd.revents & POLLHUP) == 0;
}

void DevicePort::discardUnread() {
    tcflush(fd_, TCOFLUSH);
}

void DevicePort::write(const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n >= 0) {
            done += static_cast<std::size_t>(n);
        } else if (errno != EINTR) {
            fail("cannot write to " + programSidePath_);
        } else if (stopRequested()) {
            return;
        }
    }
}

void DevicePort::drainInput() {
    char buffer[256];
    // Errors only mean the program has just closed the slave.
    [[maybe_unused]] const ssize_t n = read(fd_, buffer, sizeof buffer);
}

} // namespace zorvat::sim
