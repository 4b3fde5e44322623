// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"
#include "posix_serial_port.h"
#include "pseudo_terminal.h"
#include "qt_error_box.h"
#include "scoped_env.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

using namespace zorvat;

namespace {

const QString kTitle = QStringLiteral("Duzeveru RE 4");
const QString kLostTitle = QStringLiteral("Duzeveru RE 4 – spojení s časomírou přerušeno");

} // namespace

using Link = Device;

// The user-interface thread is blocked (a companion that does not answer, a sound) when the
// start byte arrives and when the space bar goes down; the times come out as if it was not.
TEST_F(Link, StartAndSplitsComeFromTheirOwnMomentsNotFromWhenTheyAreHandled) {
    greet(458, 0x51);
    serial.deliveryHeld = true;
    serial.feed({0xAB});
    const QDateTime arrived = time.now();
    const qint64 arrivedMs = time.monotonicMs();
    time.advance(2000);
    serial.deliveryHeld = false;
    serial.deliver();
    ASSERT_TRUE(frm->state().t_cas);
    EXPECT_EQ(frm->state().StartKQ, arrived);
    EXPECT_EQ(frm->state().startMonotonicMs, arrivedMs);

    // Two presses 540 ms apart, the second handled 2 s late.
    time.advance(1000);
    frm->FormKeyDown(Qt::Key_Space, Qt::NoModifier, time.monotonicMs());
    const qint64 pressed = time.monotonicMs() + 540;
    time.advance(2540);
    frm->FormKeyDown(Qt::Key_Space, Qt::NoModifier, pressed);
    const TfrmLED& board = *frm->frmLED();
    EXPECT_EQ(board.rowTimes()[0], QStringLiteral("3,00"));
    EXPECT_EQ(board.rowTimes()[1], QStringLiteral("3,54"));
    EXPECT_EQ(companion.sent, (Sent{{1495, 0, 0}, {1495, 1, 300}, {1495, 2, 354}}));
}

// A companion send stands for a blocked thread: bytes that arrive during it are decoded after
// it, in order, so messages never overtake one another.
TEST_F(Link, BytesArrivingDuringACompanionSendAreDecodedAfterIt) {
    greet(458, 0x51);
    const auto finalTimeDuring = [this](int wanted) {
        companion.whileSending = [this, wanted](int msg) {
            if (msg != wanted)
                return;
            companion.whileSending = nullptr;
            time.setHeld(true);
            const QStringList before = results();
            serial.feed({0xBA, 0x02, 0x01, 0x23, 0x45});
            EXPECT_EQ(results(), before) << "nothing is decoded inside the send";
            time.setHeld(false);
        };
    };
    // During the start's message: the decoder takes them up as soon as the send returns.
    finalTimeDuring(1495);
    serial.feed({0xAB});
    EXPECT_EQ(results(), (QStringList{QString(), QStringLiteral("1 12,34")}));
    EXPECT_EQ(companion.sent, (Sent{{1495, 0, 0}, {1491, 6, 12345}}));

    // During a split's message, outside the decoder: taken up on the next turn of the loop.
    companion.sent.clear();
    serial.feed({0xAA, 0xAB});
    finalTimeDuring(1495);
    time.advance(500);
    frm->FormKeyDown(Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(results().size(), 2);
    time.advance(1);
    EXPECT_EQ(results().size(), 3);
    EXPECT_EQ(companion.sent, (Sent{{1495, 0, 0}, {1495, 1, 50}, {1491, 6, 12345}}));
}

TEST_F(Link, ABurstIsDecodedAtOnce) {
    greet(458, 0x54);
    serial.feed({0xAB, 0xBA, 0x02, 0x01, 0x23, 0x45, 0xBA, 0x05, 0x01, 0x56, 0x78,
                 0xBA, 0x08, 0x02, 0x01, 0x23, 0xBA, 0x09, 0x02, 0x34, 0x56});
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("23,45"));
    EXPECT_EQ(results().size(), 5);
    EXPECT_EQ(companion.sent.size(), 5u);
}

TEST_F(Link, LostLinkIsShownRetriedAndHealedWithEverythingKept) {
    greet(458, 0x52);
    frm->show();
    device({0xAB, 0xBA, 0x02, 0x01, 0x11, 0x11, 0xBA, 0x05, 0x01, 0x22, 0x22, 0xAA});
    const QStringList before = results();
    ASSERT_EQ(before.size(), 3);
    // The next attempt runs; the adapter is pulled out in the middle of a time command.
    device({0xAB, 0xBA, 0x02, 0x01, 0x23, 0x45, 0xBA, 0x05});
    const QRect listPlace = ui<QComboBox>("CBCas")->geometry();
    serial.pullOut();
    EXPECT_TRUE(frm->state().linkLost);
    EXPECT_TRUE(ui<QLabel>("linkNotice")->isVisible());
    EXPECT_EQ(frm->windowTitle(), kLostTitle);
    EXPECT_TRUE(frm->state().t_cas) << "the device keeps timing on its own";

    // Unplugged: tried every 500 ms, and nothing else changes.
    serial.existing.remove(QStringLiteral("COM1"));
    time.advance(1600);
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(frm->windowTitle(), kLostTitle);

    serial.existing.insert(QStringLiteral("COM1"));
    serial.lines.clear();
    time.advance(500);
    ASSERT_TRUE(serial.isOpen());
    EXPECT_TRUE(serial.configured);
    EXPECT_EQ(serial.lines.last(), QStringLiteral("RTS+"));
    EXPECT_FALSE(frm->state().linkLost);
    EXPECT_FALSE(ui<QLabel>("linkNotice")->isVisible());
    EXPECT_EQ(frm->windowTitle(), kTitle);
    EXPECT_EQ(ui<QComboBox>("CBCas")->geometry(), listPlace);
    EXPECT_EQ(results(), before);

    // The time command cut off by the loss does not swallow the next one.
    device({0xBA, 0x05, 0x01, 0x56, 0x78});
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QStringLiteral("15,67"));
    const QStringList attempt{QStringLiteral("1 12,34"), QStringLiteral("2 15,67")};
    EXPECT_EQ(results(), before + attempt);
}

TEST_F(Link, LossDuringTheGreetingLeavesItToTheWatchdog) {
    start();
    pickPort(QStringLiteral("COM1"));
    serial.pullOut();
    EXPECT_FALSE(ui<QLabel>("linkNotice")->isVisible());
    time.advance(5000);
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod")->text(),
              QStringLiteral("Časomíra nenavázala komunikaci. Vypňete "
                             "časomíru, vyberte jiný port a zapněte ji!"));
    EXPECT_FALSE(serial.isOpen()) << "no reconnecting in the intro state";
}

// The real error box: it must not hold up the bytes that follow.
TEST_F(Link, ErrorBoxDoesNotStopDecoding) {
    QtErrorBox box;
    frm.reset();
    frm =
        TfrmCas::start(Edition::Difference,
                       Services{time, time, serial, box, companion, clipboard, sounds}, iniPath());
    box.setParentWindow(frm.get());
    frm->show();
    // A box that blocked would never return from the feed below; this ends such a wait and
    // makes the failure visible.
    bool blocked = false;
    QTimer::singleShot(3000, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            blocked = true;
            modal->close();
        }
    });
    pickPort(QStringLiteral("COM1"));
    serial.feed({0x00, 0x15, 0x01, 0x00, 0xAA});
    ASSERT_FALSE(ui<QFrame>("pnlCas")->isHidden());
    // A time whose result text does not convert (a target letter on a track), then a reset
    // and a start.
    serial.feed({0xBA, 0x00, 0x01, 0x23, 0x45, 0xAA, 0xAB});
    EXPECT_FALSE(blocked);
    EXPECT_TRUE(frm->state().t_cas) << "the start after the error was decoded";
    const auto boxes = frm->findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->text().endsWith(QStringLiteral("is not a valid integer value")));
    EXPECT_FALSE(boxes[0]->isModal());
    EXPECT_EQ(boxes[0]->parentWidget(), frm.get());
}

// The real line: a pseudo-terminal that goes away mid-attempt and a new one at the same link.
TEST_F(Link, PulledAdapterOverARealLineHealsAndTheAttemptCarriesOn) {
    QTemporaryDir ports;
    ScopedEnv env("ZORVAT_PORTS", ports.path().toLocal8Bit());
    auto first = std::make_unique<PseudoTerminal>();
    ASSERT_TRUE(QFile::link(first->slavePath(), ports.filePath("com2")));
    PosixSerialPort line;
    writeIni("[Cas]\nTyp=458\n");
    frm.reset();
    frm =
        TfrmCas::start(Edition::Difference,
                       Services{time, time, line, errors, companion, clipboard, sounds}, iniPath());
    const auto pumpUntil = [](const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && !clock.hasExpired(3000))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    };
    pickPort(QStringLiteral("COM2"));
    ASSERT_TRUE(line.isOpen());
    ASSERT_TRUE(first->send(QByteArray::fromHex("00150100aa")));
    ASSERT_TRUE(pumpUntil([&] { return !ui<QFrame>("pnlCas")->isHidden(); }));
    ASSERT_TRUE(first->send(QByteArray::fromHex("abba02012345")));
    ASSERT_TRUE(pumpUntil([&] { return results().size() == 2; }));
    ASSERT_TRUE(first->send(QByteArray::fromHex("aaab")));
    ASSERT_TRUE(pumpUntil([&] { return frm->state().t_cas; }));

    first->closeMaster();
    ASSERT_TRUE(pumpUntil([&] { return frm->state().linkLost; }));
    EXPECT_FALSE(line.isOpen());
    time.advance(500);
    EXPECT_FALSE(line.isOpen()) << "the link points at nothing that can be opened";

    PseudoTerminal second;
    ASSERT_TRUE(QFile::remove(ports.filePath("com2")));
    ASSERT_TRUE(QFile::link(second.slavePath(), ports.filePath("com2")));
    time.advance(500);
    ASSERT_TRUE(line.isOpen());
    EXPECT_FALSE(frm->state().linkLost);
    EXPECT_TRUE(frm->state().t_cas) << "the attempt runs on";
    ASSERT_TRUE(second.send(QByteArray::fromHex("ba02015678")));
    ASSERT_TRUE(pumpUntil([&] { return results().size() == 3; }));
    EXPECT_EQ(results().last(), QStringLiteral("1 15,67"));
    frm.reset();
}
