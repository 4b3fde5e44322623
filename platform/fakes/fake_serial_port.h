// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock.h"
#include "serial_port.h"

#include <QSet>
#include <QStringList>
#include <deque>

namespace zorvat {

// A device line in memory: which ports exist or are held elsewhere, the bytes that arrived,
// and a log of the modem-line operations. Bytes are stamped with the clock when they arrive
// and handed over at once, unless delivery is held (the user-interface thread is busy).
class FakeSerialPort final : public SerialPort {
public:
    QSet<QString> existing;
    QSet<QString> heldElsewhere;
    std::deque<StampedByte> incoming;
    QStringList lines; // "RTS+", "RTS-", "DTR+", "DTR-"
    const Clock* clock = nullptr;
    QList<qint64> lineTimes; // monotonic ms of each line operation, when a clock is set
    QString openName;
    int opens = 0;
    int closes = 0;
    bool configured = false;
    bool deliveryHeld = false;

    bool open(const QString& comName) override;
    bool reopen() override { return open(lastOpened_); }
    void configure() override;
    void setRts(bool high) override;
    void setDtr(bool high) override;
    bool isOpen() const override { return !openName.isEmpty(); }
    std::vector<StampedByte> takeReceived() override;
    void close() override;

    // Bytes arriving now; ignored while the port is closed, as on a real line.
    void feed(std::initializer_list<std::uint8_t> bytes) { feed(bytes.begin(), bytes.end()); }
    template <typename It> void feed(It first, It last) {
        if (!isOpen())
            return;
        const qint64 mono = clock ? clock->monotonicMs() : 0;
        const qint64 wall = clock ? clock->now().toMSecsSinceEpoch() : 0;
        for (; first != last; ++first)
            incoming.push_back({static_cast<std::uint8_t>(*first), mono, wall});
        deliver();
    }
    // Hands waiting bytes to the program unless delivery is held.
    void deliver();
    // The adapter is pulled out: the port closes and the program hears of it.
    void pullOut(const QString& reason = QStringLiteral("Input/output error"));

private:
    void line(const char* op);
    QString lastOpened_;
};

} // namespace zorvat
