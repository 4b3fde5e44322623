#pragma once

#include <QString>
#include <cstdint>

namespace zorvat {

// The device line as the program uses it: exclusive open by COM name, 9600 8N1 without
// flow control, one byte read at a time, and the two modem-control lines.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    // False when the port does not exist or is held elsewhere.
    virtual bool open(const QString& comName) = 0;
    // 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control, RTS and DTR low.
    // A setting the port refuses is ignored.
    virtual void configure() = 0;
    virtual void setRts(bool high) = 0;
    virtual void setDtr(bool high) = 0;
    virtual bool isOpen() const = 0;
    // Received bytes waiting; 0 when the port is closed or the query fails.
    virtual qint64 bytesWaiting() = 0;
    // Waits for one byte for at most about 1010 ms; false when none came.
    virtual bool readByte(std::uint8_t& out) = 0;
    // Closing a closed port does nothing.
    virtual void close() = 0;
};

} // namespace zorvat
