// SPDX-License-Identifier: GPL-3.0-or-later
#include "posix_serial_port.h"

#include "port_names.h"
#include "tty_holders.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace zorvat {

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// USB adapters hold received bytes for up to 16 ms before passing them on; low-latency mode
// makes that 1 ms. Other ports refuse and work as they are.
void askForLowLatency(int fd, const QString& device) {
    if (!QFileInfo(device).fileName().startsWith(QLatin1String("ttyUSB")))
        return;
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0)
        return;
    serial.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(fd, TIOCSSERIAL, &serial);
}

} // namespace

PosixSerialPort::PosixSerialPort() : handoff_(*this) {}

PosixSerialPort::~PosixSerialPort() {
    close();
}

bool PosixSerialPort::open(const QString& comName) {
    close();
    const ResolvedPort port = resolveComPort(comName);
    if (!openDevice(port.device))
        return false;
    comName_ = comName;
    source_ = port.source;
    return true;
}

bool PosixSerialPort::reopen() {
    close();
    const ResolvedPort port = resolveComPort(comName_);
    return port.source == source_ && openDevice(port.device);
}

bool PosixSerialPort::openDevice(const QString& device) {
    if (device.isEmpty())
        return false;
    const QByteArray path = device.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    // Another instance or program that locks the device properly holds the flock; one that
    // merely opened it shows up among the open files of its process.
    const bool usable = ::isatty(fd) && ::fstat(fd, &st) == 0 &&
                        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && !heldByAnotherProcess(st.st_rdev);
    if (!usable || ::pipe2(wake_, O_CLOEXEC) != 0) {
        ::close(fd);
        return false;
    }
    // Later opens by others fail (root excepted).
    ::ioctl(fd, TIOCEXCL);
    askForLowLatency(fd, device);
    fd_ = fd;
    reader_ =
        std::thread([this, fd, wake = wake_[0], g = handoff_.opened()] { readLoop(fd, wake, g); });
    return true;
}

void PosixSerialPort::configure() {
    if (fd_ < 0)
        return;
    termios tio{};
    if (::tcgetattr(fd_, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
        tio.c_cflag |= CS8 | CLOCAL | CREAD;
        tio.c_iflag &= ~(IXON | IXOFF | IXANY);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(fd_, TCSANOW, &tio);
    }
    setDtr(false);
    setRts(false);
}

void PosixSerialPort::setModemLine(int bit, bool high) {
    // A pseudo-terminal has no modem lines and refuses; that is no reason to close.
    if (fd_ >= 0)
        ::ioctl(fd_, high ? TIOCMBIS : TIOCMBIC, &bit);
}

void PosixSerialPort::setRts(bool high) {
    setModemLine(TIOCM_RTS, high);
}

void PosixSerialPort::setDtr(bool high) {
    setModemLine(TIOCM_DTR, high);
}

std::vector<StampedByte> PosixSerialPort::takeReceived() {
    return handoff_.take();
}

void PosixSerialPort::close() {
    if (fd_ < 0)
        return;
    const char stop = 0;
    [[maybe_unused]] const ssize_t n = ::write(wake_[1], &stop, 1);
    reader_.join();
    ::close(fd_);
    ::close(wake_[0]);
    ::close(wake_[1]);
    fd_ = -1;
    wake_[0] = wake_[1] = -1;
    handoff_.closed();
}

void PosixSerialPort::readLoop(int fd, int wake, unsigned generation) {
    std::uint8_t buffer[256];
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wake, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            handoff_.lineLost(generation, systemReason(errno));
            return;
        }
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents == 0)
            continue;
        // A hang-up may still leave bytes to read; the read tells which.
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0) {
            // A tty that was hung up reads as end of file.
            handoff_.lineLost(generation, systemReason(n < 0 ? errno : EIO));
            return;
        }
        handoff_.arrived(buffer, static_cast<std::size_t>(n), generation);
    }
}

} // namespace zorvat
