// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hub_fixture.h"
#include "time_surface.h"

namespace zorvat {

// A main window whose device has greeted, fed with device bytes in virtual time.
class Device : public Hub {
protected:
    using Sent = std::vector<std::array<qint32, 3>>;

    // Greets with the given settings; older firmware is sent in its line layout and
    // followed by a reset, as such a device does.
    void greet(int verze, std::uint8_t mode, Edition edition = Edition::Difference,
               std::uint8_t target = 0xA1, std::uint8_t flag = 0xAE) {
        writeIni(QStringLiteral("[Cas]\nTyp=%1\n").arg(verze).toUtf8());
        start(edition);
        pickPort(QStringLiteral("COM1"));
        if (frm->state().pocetB_Uvod == 3 && verze >= 466 && verze <= 468) {
            serial.feed({0x00, mode, target, flag});
        } else {
            const auto swapped = static_cast<std::uint8_t>((mode << 4) | (mode >> 4));
            serial.feed({0x00, swapped, static_cast<std::uint8_t>(target & 0x0F), flag, 0xAA});
        }
        time.advance(10);
        ASSERT_FALSE(ui<QFrame>("pnlCas")->isHidden()) << "the device did not greet";
        companion.sent.clear();
    }

    // The bytes arrive on the line and the decoder takes one per millisecond.
    void device(std::initializer_list<std::uint8_t> bytes) {
        serial.feed(bytes);
        time.advance(static_cast<qint64>(bytes.size()) + 1);
    }

    // A time command carrying four bytes.
    void deviceTime(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4) {
        device({0xBA, b1, b2, b3, b4});
    }

    QStringList results() const {
        QStringList items;
        for (int i = 0; i < ui<QComboBox>("CBCas")->count(); ++i)
            items << ui<QComboBox>("CBCas")->itemText(i);
        return items;
    }
};

} // namespace zorvat
