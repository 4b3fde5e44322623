// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_serial_port.h"

namespace zorvat {

bool FakeSerialPort::open(const QString& comName) {
    if (isOpen() || !existing.contains(comName) || heldElsewhere.contains(comName))
        return false;
    openName = comName;
    lastOpened_ = comName;
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

std::vector<StampedByte> FakeSerialPort::takeReceived() {
    std::vector<StampedByte> taken(incoming.begin(), incoming.end());
    incoming.clear();
    return taken;
}

void FakeSerialPort::deliver() {
    if (!deliveryHeld && !incoming.empty() && onReceived)
        onReceived();
}

void FakeSerialPort::close() {
    if (!isOpen())
        return;
    openName.clear();
    incoming.clear();
    ++closes;
}

void FakeSerialPort::pullOut(const QString& reason) {
    if (!isOpen())
        return;
    close();
    if (onLost)
        onLost(reason);
}

} // namespace zorvat
