#pragma once

#include "serial_port.h"

#include <QSerialPort>

namespace zorvat {

// The device line over QSerialPort. Exclusive: a port held by another process or another
// instance is refused. When the device goes away (adapter pulled out) the port closes on the
// first error, because Qt would otherwise report the error in a tight loop.
class QtSerialPort final : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    bool open(const QString& comName) override;
    void configure() override;
    void setRts(bool high) override;
    void setDtr(bool high) override;
    bool isOpen() const override;
    qint64 bytesWaiting() override;
    bool readByte(std::uint8_t& out) override;
    void close() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    bool closing_ = false;
};

} // namespace zorvat
