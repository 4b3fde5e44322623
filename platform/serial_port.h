// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stamped_byte.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace zorvat {

// The device line as the program uses it: exclusive open by COM name, 9600 8N1 without flow
// control, the two modem-control lines, and bytes read as they arrive and stamped there, so
// that a busy user-interface thread cannot shift a time.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    // False when the port does not exist or is held elsewhere.
    virtual bool open(const QString& comName) = 0;
    // Opens the port last opened again, its name resolved anew; false unless the name leads to
    // the same kind of device as before, so a lost adapter is never replaced by another port.
    virtual bool reopen() = 0;
    // 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control, RTS and DTR low.
    // A setting the port refuses is ignored.
    virtual void configure() = 0;
    virtual void setRts(bool high) = 0;
    virtual void setDtr(bool high) = 0;
    virtual bool isOpen() const = 0;
    // The bytes received since the last call, oldest first. Empty when the port is closed.
    virtual std::vector<StampedByte> takeReceived() = 0;
    // Closing a closed port does nothing; bytes not yet taken are lost with it.
    virtual void close() = 0;

    // Called on the user-interface thread when bytes wait to be taken (once per batch).
    std::function<void()> onReceived;
    // Called on the user-interface thread when the open port fails (adapter pulled out, line
    // hung up); the port is closed by then. The text is the system's reason.
    std::function<void(const QString& reason)> onLost;
};

} // namespace zorvat
