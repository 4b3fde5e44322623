// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"
#include "hub_fixture.h"
#include "time_surface.h"

using namespace zorvat;

namespace {

const QString kWarning = QStringLiteral(
    "Časomíra nenavázala komunikaci. Vypňete časomíru, vyberte jiný port a zapněte ji!");
const QString kPrompt = QStringLiteral("Vyberte komunikační port a zapněte časomíru:");

bool runState(const TfrmCas& f) {
    return control(f, "pnlReklama")->isHidden() && control(f, "pnlUvod")->isHidden() &&
           !control(f, "pnlCas")->isHidden() && !control(f, "pnlUloz")->isHidden() &&
           !control(f, "pnl_ext")->isHidden();
}

} // namespace

class Handshake : public Hub {
protected:
    void startWithVersion(int verze, Edition edition = Edition::Difference) {
        writeIni(QStringLiteral("[Cas]\nTyp=%1\n").arg(verze).toUtf8());
        start(edition);
        companion.sent.clear();
    }
};

TEST_F(Handshake, PickOpensConfiguresRaisesRtsAndStartsPolling) {
    start();
    pickPort(QStringLiteral("COM3"));
    EXPECT_EQ(serial.openName, QStringLiteral("COM3"));
    EXPECT_TRUE(serial.configured);
    EXPECT_EQ(serial.lines, QStringList{QStringLiteral("RTS+")});
    EXPECT_TRUE(frm->state().awaitingGreeting);
    EXPECT_TRUE(frm->state().watchdogRunning);
    EXPECT_FALSE(frm->state().decoding);
}

TEST_F(Handshake, NewGreetingIsStoredAsItComesWithoutReset) {
    startWithVersion(466);
    pickPort(QStringLiteral("COM1"));
    serial.feed({0x00, 0xDC, 0xA2, 0xAE});
    time.advance(1);
    ASSERT_TRUE(runState(*frm));
    EXPECT_EQ(frm->state().nast, (SettingsBytes{0xDC, 0xA2, 0xAE}));
    EXPECT_EQ(ui<QLabel>("lblDraha")->text(), QStringLiteral("Dva útoky"));
    EXPECT_EQ(ui<QLabel>("lblPriprava")->text(), QStringLiteral("5:30"));
    EXPECT_EQ(ui<QLabel>("lblTerce")->text(), QStringLiteral("spínací"));
    EXPECT_EQ(ui<QLabel>("lblNCas")->text(), QStringLiteral("čas: ano"));
    EXPECT_FALSE(ui<QLabel>("lblNCas")->isHidden());
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(),
              QStringLiteral("Formát času: 888,888L 888,888"));
    EXPECT_EQ(ui<QLabel>("lblCas")->text(), QString());
    EXPECT_EQ(ui<QLabel>("lblCasD")->text(), QString());
    // No reset for the new greeting: no time slot is ready and the automatic start stays off.
    EXPECT_EQ(frm->state().casu, 0);
    EXPECT_FALSE(ui<QPushButton>("btnAutomat")->isEnabled());
    EXPECT_EQ(companion.sent, (std::vector<std::array<qint32, 3>>{{1490, 466, 220}}));
    EXPECT_FALSE(frm->state().awaitingGreeting);
    EXPECT_TRUE(frm->state().decoding);
}

TEST_F(Handshake, ShortGreetingWaitsForItsLastByteThenCompletesWithWhatItHas) {
    startWithVersion(466);
    pickPort(QStringLiteral("COM1"));
    serial.feed({0x00, 0x0A});
    time.advance(5);
    EXPECT_FALSE(runState(*frm));
    serial.feed({0xA1});
    // Three bytes make the greeting due; the fourth is waited for as long as a read waits.
    time.advance(1009);
    EXPECT_FALSE(runState(*frm));
    time.advance(1);
    ASSERT_TRUE(runState(*frm));
    EXPECT_EQ(frm->state().nast, (SettingsBytes{0x0A, 0xA1, 0x00}));
    EXPECT_EQ(ui<QLabel>("lblNCas")->text(), QStringLiteral("čas: Ano")) << "no time flag came";
}

TEST_F(Handshake, LastGreetingByteArrivingWithinTheWaitIsTaken) {
    startWithVersion(466);
    pickPort(QStringLiteral("COM1"));
    serial.feed({0x00, 0x0A, 0xA1});
    time.advance(600);
    EXPECT_FALSE(runState(*frm));
    serial.feed({0xAE, 0xA2});
    ASSERT_TRUE(runState(*frm));
    EXPECT_EQ(frm->state().nast, (SettingsBytes{0x0A, 0xA1, 0xAE}));
    EXPECT_EQ(ui<QLabel>("lblTerce")->text(), QStringLiteral("Spínací"))
        << "the byte after it is decoded";
    // The wait that ran out later changes nothing.
    time.advance(1000);
    EXPECT_EQ(frm->state().nast, (SettingsBytes{0x0A, 0xA1, 0xAE}));
}

TEST_F(Handshake, OlderGreetingIsConvertedAndResets) {
    startWithVersion(454);
    pickPort(QStringLiteral("COM1"));
    serial.feed({0x00, 0x15, 0x01, 0x00});
    time.advance(20);
    EXPECT_FALSE(runState(*frm)) << "454 waits for five bytes";
    serial.feed({0xAA});
    time.advance(1);
    ASSERT_TRUE(runState(*frm));
    EXPECT_EQ(frm->state().nast, (SettingsBytes{0x51, 0xA1, 0x00}));
    EXPECT_EQ(ui<QLabel>("lblDraha")->text(), QStringLiteral("Jedna dráha"));
    EXPECT_EQ(ui<QLabel>("lblPriprava")->text(), QStringLiteral("5:00"));
    EXPECT_EQ(ui<QLabel>("lblTerce")->text(), QStringLiteral("rozepínací"));
    EXPECT_TRUE(ui<QLabel>("lblNCas")->isHidden());
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(), QStringLiteral("Formát času: 888,88"));
    // The reset ran: slot 1 is next and the automatic start is armed.
    EXPECT_EQ(frm->state().casu, 1);
    EXPECT_TRUE(ui<QPushButton>("btnAutomat")->isEnabled());
    EXPECT_EQ(ui<QPushButton>("btnAutomat")->text(), QStringLiteral("Automatický start"));
    EXPECT_TRUE(ui<TimeSurface>("DXCas1")->isHidden());
    EXPECT_EQ(companion.sent, (std::vector<std::array<qint32, 3>>{{1490, 454, 0x51}}));
}

TEST_F(Handshake, VersionsAboveTheListAreOlderLayoutInTheFourSplitEdition) {
    startWithVersion(470, Edition::FourSplit);
    pickPort(QStringLiteral("COM1"));
    serial.feed({0x00, 0xCD, 0x02, 0xAE, 0xAA});
    time.advance(1);
    ASSERT_TRUE(runState(*frm));
    EXPECT_EQ(frm->state().nast, (SettingsBytes{0xDC, 0xA2, 0xAE}));
    EXPECT_TRUE(ui<QLabel>("lblNCas")->isHidden());
    EXPECT_EQ(frm->state().casu, 1);
}

TEST_F(Handshake, WatchdogWarnsFiveSecondsAfterTheFirstPick) {
    start();
    pickPort(QStringLiteral("COM1"));
    time.advance(3000);
    // A second pick reopens the port but the watchdog keeps counting from the first.
    pickPort(QStringLiteral("COM3"));
    EXPECT_EQ(serial.openName, QStringLiteral("COM3"));
    EXPECT_EQ(serial.closes, 3); // two from the probe, one for the re-pick
    time.advance(1999);
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod")->text(), kPrompt);
    time.advance(1);
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod")->text(), kWarning);
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod1")->text(), QString());
    EXPECT_FALSE(frm->state().awaitingGreeting);
    EXPECT_FALSE(frm->state().watchdogRunning);
    EXPECT_TRUE(serial.isOpen()) << "the port stays open after the warning";

    // A greeting after the warning is not read until the user picks again.
    serial.feed({0x00, 0x15, 0x01, 0x00, 0xAA});
    time.advance(100);
    EXPECT_FALSE(runState(*frm));
    pickPort(QStringLiteral("COM3"));
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod")->text(), kPrompt);
    EXPECT_TRUE(frm->state().awaitingGreeting);
    serial.feed({0x00, 0x15, 0x01, 0x00, 0xAA});
    time.advance(1);
    EXPECT_TRUE(runState(*frm));
}

TEST_F(Handshake, WatchdogStillFiresOnceAfterAGreetingUnseen) {
    startWithVersion(466);
    pickPort(QStringLiteral("COM1"));
    serial.feed({0x00, 0x51, 0xA1, 0xAE});
    time.advance(1);
    ASSERT_TRUE(runState(*frm));
    time.advance(5000);
    EXPECT_FALSE(frm->state().watchdogRunning);
    EXPECT_TRUE(runState(*frm));
    EXPECT_TRUE(frm->state().decoding);
}

TEST_F(Handshake, APortThatCannotBeOpenedStartsNothing) {
    start();
    serial.heldElsewhere = {QStringLiteral("COM1")};
    pickPort(QStringLiteral("COM1"));
    EXPECT_FALSE(serial.isOpen());
    EXPECT_FALSE(frm->state().awaitingGreeting);
    EXPECT_FALSE(frm->state().watchdogRunning);
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod")->text(), kPrompt);
    // Closing the window then has no port to close.
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(serial.closes, 2);
}
