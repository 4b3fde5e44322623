// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <pty.h>
#include <unistd.h>

// A pseudo-terminal; its slave side plays the serial port, the master the timing device.
class PseudoTerminal {
public:
    PseudoTerminal() {
        char name[256] = {};
        int slave = -1;
        if (::openpty(&master_, &slave, name, nullptr, nullptr) == 0) {
            slavePath_ = QString::fromLocal8Bit(name);
            // Nobody holds the slave until the port opens it.
            ::close(slave);
        }
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return master_ >= 0; }
    const QString& slavePath() const { return slavePath_; }
    int master() const { return master_; }
    bool send(const QByteArray& bytes) {
        return ::write(master_, bytes.constData(), bytes.size()) == bytes.size();
    }
    // What a pulled-out adapter looks like from the port's side.
    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    QString slavePath_;
};
