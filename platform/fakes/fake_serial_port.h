#pragma once

#include "clock.h"
#include "serial_port.h"

#include <QSet>
#include <QStringList>
#include <deque>

namespace zorvat {

// A device line in memory: which ports exist or are held elsewhere, the bytes waiting, and a
// log of the modem-line operations.
class FakeSerialPort final : public SerialPort {
public:
    QSet<QString> existing;
    QSet<QString> heldElsewhere;
    std::deque<std::uint8_t> incoming;
    QStringList lines; // "RTS+", "RTS-", "DTR+", "DTR-"
    const Clock* clock = nullptr;
    QList<qint64> lineTimes; // monotonic ms of each line operation, when a clock is set
    QString openName;
    int opens = 0;
    int closes = 0;
    bool configured = false;

    bool open(const QString& comName) override;
    void configure() override;
    void setRts(bool high) override;
    void setDtr(bool high) override;
    bool isOpen() const override { return !openName.isEmpty(); }
    qint64 bytesWaiting() override;
    bool readByte(std::uint8_t& out) override;
    void close() override;

    void feed(std::initializer_list<std::uint8_t> bytes);

private:
    void line(const char* op);
};

} // namespace zorvat
