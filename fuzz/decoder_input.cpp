// SPDX-License-Identifier: GPL-3.0-or-later
// Input layout:
//   byte 0     bit 0: edition (0 difference, 1 four-split); bit 1: precision (LED Format 0/1)
//   byte 1     firmware version: index (mod 11) into 454 456 457 458 462 463 466 467 468 469 470
//   bytes 2-4  mode, target and time-flag bytes of the greeting, sent in the version's layout
//   the rest   the device stream, one byte decoded per millisecond. 0xE5 escapes:
//              E5 E5 is the byte E5; E5 X is an action chosen by X % 3:
//              0 the space bar (a split), 1 wait 1000 ms, 2 wait 2000 ms; waits past 60 s
//              in all are skipped, and a lone E5 at the end is the byte E5.
// Inputs shorter than the five set-up bytes are ignored.
#include "decoder_input.h"

#include "fake_world.h"
#include "tfrmcas.h"
#include "tfrmled.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace zorvat {

namespace {

constexpr std::array<int, 11> kVersions{454, 456, 457, 458, 462, 463, 466, 467, 468, 469, 470};
constexpr std::size_t kSetupBytes = 5;
constexpr std::uint8_t kEscape = 0xE5;
// Waits beyond this total are skipped: long quiet stretches add run time, not coverage.
constexpr qint64 kMaxWaitMs = 60000;

// An abort is what the fuzzer reports as a finding, and what fails the corpus replay.
void check(bool ok, const char* what) {
    if (ok)
        return;
    std::fprintf(stderr, "decoder invariant broken: %s\n", what);
    std::abort();
}

struct Setup {
    Edition edition;
    int precision;
    int verze;
    std::uint8_t mode, target, flag;
};

Setup readSetup(const std::uint8_t* data) {
    return {(data[0] & 1) ? Edition::FourSplit : Edition::Difference,
            (data[0] >> 1) & 1,
            kVersions[data[1] % kVersions.size()],
            data[2],
            data[3],
            data[4]};
}

// The settings file of a set-up, written once per process: a folder made and removed for
// every input costs more than the run itself. The window writes settings only on close,
// which no run does, so the files stay as written.
QString settingsFor(const Setup& s) {
    static QTemporaryDir dir;
    check(dir.isValid(), "no temporary folder");
    const QString path = dir.filePath(QStringLiteral("kq-%1-%2.ini").arg(s.verze).arg(s.precision));
    if (!QFile::exists(path)) {
        QFile ini(path);
        check(ini.open(QIODevice::WriteOnly), "settings file not writable");
        ini.write(QStringLiteral("[Cas]\nTyp=%1\n[LED]\nFormat=%2\n")
                      .arg(s.verze)
                      .arg(s.precision)
                      .toUtf8());
    }
    return path;
}

// One program run with its fakes.
class Run : FakeWorld {
public:
    explicit Run(const Setup& s) {
        serial.existing = {QStringLiteral("COM1")};
        frm = TfrmCas::start(s.edition,
                             Services{time, time, serial, errors, companion, clipboard, sounds},
                             settingsFor(s));
    }

    // Picks COM1 and greets as the device of that firmware does: older firmware in its
    // line layout and followed by a reset.
    void greet(const Setup& s) {
        QComboBox* ports = control<QComboBox>("CBUvod");
        ports->setCurrentIndex(ports->findText(QStringLiteral("COM1")));
        emit ports->activated(ports->currentIndex());
        if (frm->state().pocetB_Uvod == 3 && s.verze >= 466 && s.verze <= 468) {
            serial.feed({0x00, s.mode, s.target, s.flag});
        } else {
            const auto swapped = static_cast<std::uint8_t>((s.mode << 4) | (s.mode >> 4));
            serial.feed({0x00, swapped, static_cast<std::uint8_t>(s.target & 0x0F), s.flag, 0xAA});
        }
        time.advance(10);
        check(!control<QFrame>("pnlCas")->isHidden(), "the device did not greet");
    }

    void play(const std::uint8_t* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            if (data[i] != kEscape || i + 1 == size) {
                pending.push_back(data[i]);
                continue;
            }
            const std::uint8_t x = data[++i];
            if (x == kEscape) {
                pending.push_back(x);
                continue;
            }
            decodeWaiting();
            if (x % 3 == 0)
                frm->FormKeyDown(Qt::Key_Space, Qt::NoModifier);
            else
                wait(x % 3 == 1 ? 1000 : 2000);
            checkState();
        }
        decodeWaiting();
        checkState();
    }

    // After the stream, the device's reset must still bring the window back to a clean
    // attempt, once no command is half read.
    void checkUsable() {
        if (frm->state().pocetByte != 0)
            return;
        serial.feed({0xAA});
        time.advance(2);
        const HubState st = frm->state();
        check(st.casu == 1 && !st.t_cas, "the reset left an attempt running");
        check(control<QLabel>("lblCas")->text().isEmpty() &&
                  control<QLabel>("lblCasD")->text().isEmpty(),
              "the reset left times shown");
        check(frm->frmLED()->rowsTaken() == 0, "the reset left a split on the board");
    }

private:
    // The bytes since the last key or wait arrive together and are decoded at once.
    void decodeWaiting() {
        serial.feed(pending.begin(), pending.end());
        pending.clear();
        time.advance(1);
    }

    std::vector<std::uint8_t> pending;

    void wait(qint64 ms) {
        if (waited + ms > kMaxWaitMs)
            return;
        waited += ms;
        time.advance(ms);
    }

    void checkState() const {
        const HubState st = frm->state();
        check(st.casu <= 5, "casu out of 0..5");
        check(st.pcas <= 4, "pcas out of 0..4");
        check(st.bytu <= 4, "framing bytu above 4");
        check(st.pocetByte <= 4, "framing pocetByte above 4");
    }

    template <class T> T* control(const char* name) const {
        T* found = frm->findChild<T*>(QString::fromLatin1(name));
        check(found != nullptr, name);
        return found;
    }

    std::unique_ptr<TfrmCas> frm;
    qint64 waited = 0;
};

} // namespace

void runDecoderInput(const std::uint8_t* data, std::size_t size) {
    if (size < kSetupBytes)
        return;
    size = std::min(size, kMaxDecoderInput);
    const Setup setup = readSetup(data);
    {
        Run run(setup);
        run.greet(setup);
        run.play(data + kSetupBytes, size - kSetupBytes);
        run.checkUsable();
    }
    // Widgets deleted later must not pile up over millions of runs.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace zorvat
