#include "qt_serial_port.h"

#include "port_names.h"

namespace zorvat {

namespace {

// The device line's read time-out: 10 ms between bytes plus 1000 ms in total.
constexpr int kReadTimeoutMs = 1010;

// Errors that leave the line usable: a wait that ran out, or a control line a device (a
// pseudo-terminal, some adapters) does not have.
bool isHarmless(QSerialPort::SerialPortError error) {
    return error == QSerialPort::NoError || error == QSerialPort::TimeoutError ||
           error == QSerialPort::UnsupportedOperationError;
}

} // namespace

QtSerialPort::QtSerialPort() {
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialPort::~QtSerialPort() {
    // Closed while this object is whole: an error reported from ~QSerialPort's own close
    // would reach onError half-destroyed.
    close();
}

bool QtSerialPort::open(const QString& comName) {
    close();
    const QString device = resolveComPort(comName);
    if (device.isEmpty())
        return false;
    port_.setPortName(device);
    return port_.open(QIODevice::ReadWrite);
}

void QtSerialPort::configure() {
    if (!port_.isOpen())
        return;
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    setDtr(false);
    setRts(false);
}

void QtSerialPort::setRts(bool high) {
    if (port_.isOpen())
        port_.setRequestToSend(high);
}

void QtSerialPort::setDtr(bool high) {
    if (port_.isOpen())
        port_.setDataTerminalReady(high);
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

qint64 QtSerialPort::bytesWaiting() {
    return port_.isOpen() ? port_.bytesAvailable() : 0;
}

bool QtSerialPort::readByte(std::uint8_t& out) {
    if (!port_.isOpen())
        return false;
    if (port_.bytesAvailable() == 0 && !port_.waitForReadyRead(kReadTimeoutMs))
        return false;
    char byte = 0;
    if (!port_.getChar(&byte))
        return false;
    out = static_cast<std::uint8_t>(byte);
    return true;
}

void QtSerialPort::close() {
    // An error reported while closing comes back here through onError.
    if (closing_ || !port_.isOpen())
        return;
    closing_ = true;
    port_.close();
    closing_ = false;
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    // A vanished device keeps reporting errors and spins the event loop until closed.
    if (!isHarmless(error))
        close();
}

} // namespace zorvat
