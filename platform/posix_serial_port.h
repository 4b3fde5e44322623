// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "port_names.h"
#include "reader_handoff.h"
#include "serial_port.h"

#include <thread>

namespace zorvat {

// The device line on Linux, on a tty of its own: a reader thread that does nothing but wait
// for bytes, stamp them and hand them over, so the stamps stay right while the user-interface
// thread is busy. The port is exclusive: a non-blocking flock and TIOCEXCL on the real device,
// and a device another process has open is refused. No lock files are written or removed.
class PosixSerialPort final : public SerialPort {
public:
    PosixSerialPort();
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool open(const QString& comName) override;
    bool reopen() override;
    void configure() override;
    void setRts(bool high) override;
    void setDtr(bool high) override;
    bool isOpen() const override { return fd_ >= 0; }
    std::vector<StampedByte> takeReceived() override;
    void close() override;

private:
    bool openDevice(const QString& device);
    void readLoop(int fd, int wake, unsigned generation);
    void setModemLine(int bit, bool high);

    QString comName_;
    PortSource source_ = PortSource::None;
    int fd_ = -1;
    int wake_[2] = {-1, -1};
    std::thread reader_;
    ReaderHandoff handoff_;
};

} // namespace zorvat
