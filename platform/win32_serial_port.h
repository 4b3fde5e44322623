// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reader_handoff.h"
#include "serial_port.h"

#include <thread>

namespace zorvat {

// The device line on Windows, by its real COM name. As on Linux, a reader thread does nothing
// but wait for bytes, stamp them and hand them over, so the stamps stay right while the
// user-interface thread is busy (a synchronous sound, a companion send). The port is opened
// without sharing, so another program cannot hold it at the same time.
class Win32SerialPort final : public SerialPort {
public:
    Win32SerialPort();
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open(const QString& comName) override;
    bool reopen() override;
    void configure() override;
    void setRts(bool high) override;
    void setDtr(bool high) override;
    bool isOpen() const override { return port_ != nullptr; }
    std::vector<StampedByte> takeReceived() override;
    void close() override;

private:
    // HANDLEs, kept as void* so that including this header does not pull in <windows.h>.
    void readLoop(void* port, void* stop, unsigned generation);

    QString comName_;
    void* port_ = nullptr;
    void* stop_ = nullptr;
    std::thread reader_;
    ReaderHandoff handoff_;
};

} // namespace zorvat
