#include "fake_serial_port.h"

namespace zorvat {

bool FakeSerialPort::open(const QString& comName) {
    if (isOpen() || !existing.contains(comName) || heldElsewhere.contains(comName))
        return false;
    openName = comName;
    configured = false;
    ++opens;
    return true;
}

void FakeSerialPort::configure() {
    if (isOpen())
        configured = true;
}

void FakeSerialPort::setRts(bool high) {
    line(high ? "RTS+" : "RTS-");
}

void FakeSerialPort::setDtr(bool high) {
    line(high ? "DTR+" : "DTR-");
}

void FakeSerialPort::line(const char* op) {
    if (!isOpen())
        return;
    lines << QString::fromLatin1(op);
    if (clock)
        lineTimes << clock->monotonicMs();
}

qint64 FakeSerialPort::bytesWaiting() {
    return isOpen() ? qint64(incoming.size()) : 0;
}

bool FakeSerialPort::readByte(std::uint8_t& out) {
    if (!isOpen() || incoming.empty())
        return false;
    out = incoming.front();
    incoming.pop_front();
    return true;
}

void FakeSerialPort::close() {
    if (!isOpen())
        return;
    openName.clear();
    incoming.clear();
    ++closes;
}

void FakeSerialPort::feed(std::initializer_list<std::uint8_t> bytes) {
    incoming.insert(incoming.end(), bytes);
}

} // namespace zorvat
