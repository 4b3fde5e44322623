// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"
#include "hub_fixture.h"
#include "settings_file.h"

using namespace zorvat;

namespace {

bool introState(const TfrmCas& f) {
    return !control(f, "pnlReklama")->isHidden() && !control(f, "pnlUvod")->isHidden() &&
           control(f, "pnlCas")->isHidden() && control(f, "pnlUloz")->isHidden() &&
           control(f, "pnl_ext")->isHidden();
}

} // namespace

using Startup = Hub;

TEST_F(Startup, FirstStartWithoutSettingsFile) {
    start();
    EXPECT_EQ(frm->frameGeometry(), QRect(0, 10, 462, 328));
    EXPECT_EQ(frm->frmLED()->frameGeometry(), QRect(450, 10, 462, 328));
    EXPECT_TRUE(frm->frmLED()->isHidden());
    EXPECT_EQ(frm->state().verze, 454);
    EXPECT_EQ(ui<QComboBox>("CBverze")->currentIndex(), 0);
    EXPECT_EQ(ui<QComboBox>("CBFormat")->currentIndex(), 0);
    EXPECT_TRUE(ui<QComboBox>("CBFormat")->isHidden());
    EXPECT_TRUE(ui<AutoSizeLabel>("lblFormatC")->isHidden());
    EXPECT_EQ(ui<QComboBox>("CBformat_casu")->currentIndex(), 0);
    EXPECT_EQ(ui<QComboBox>("CBmezicasy")->currentIndex(), 0);
    EXPECT_EQ(frm->state().BCas, 3);
    EXPECT_EQ(frm->state().pocetB_Uvod, 5);
    EXPECT_EQ(frm->state().maxTime, 999999);
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(), QStringLiteral("Formát času: 888,88"));
    EXPECT_EQ(ui<QLabel>("lblTyp")->text(), QStringLiteral("Měří: 1-2 štafety, 1 útok, přípravu"));
    EXPECT_TRUE(introState(*frm));
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod")->text(),
              QStringLiteral("Vyberte komunikační port a zapněte časomíru:"));
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod1")->text(), QString());
    // The probe lists what could be opened, selects nothing and leaves no port open.
    ASSERT_EQ(ui<QComboBox>("CBUvod")->count(), 2);
    EXPECT_EQ(ui<QComboBox>("CBUvod")->itemText(0), QStringLiteral("COM1"));
    EXPECT_EQ(ui<QComboBox>("CBUvod")->itemText(1), QStringLiteral("COM3"));
    EXPECT_EQ(ui<QComboBox>("CBUvod")->currentIndex(), -1);
    EXPECT_FALSE(serial.isOpen());
    // Nothing ticks while nothing happens.
    EXPECT_EQ(time.enabledTimers(), 0);
}

TEST_F(Startup, VersionStepTellsTheCompanionOncePerRunOfItsListSync) {
    start(Edition::Difference);
    EXPECT_EQ(companion.sent, (std::vector<std::array<qint32, 3>>{{1494, 454, 0}, {1494, 454, 0}}));
    companion.sent.clear();
    start(Edition::FourSplit);
    EXPECT_EQ(companion.sent, (std::vector<std::array<qint32, 3>>{{1494, 454, 0}}));
    companion.sent.clear();
    companion.present = false;
    start(Edition::Difference);
    EXPECT_TRUE(companion.sent.empty());
}

TEST_F(Startup, PortsHeldElsewhereOrAboveTenAreNotListed) {
    serial.existing = {QStringLiteral("COM2"), QStringLiteral("COM10"), QStringLiteral("COM11")};
    serial.heldElsewhere = {QStringLiteral("COM2")};
    start();
    ASSERT_EQ(ui<QComboBox>("CBUvod")->count(), 1);
    EXPECT_EQ(ui<QComboBox>("CBUvod")->itemText(0), QStringLiteral("COM10"));
}

TEST_F(Startup, StoredSettingsAreApplied) {
    writeIni(
        "[Cas]\nLeft=-20\nTop=5000\nWidth=500\nHeight=400\nTyp=458\n"
        "[Clip]\nformat=1\nmezi=5\n"
        "[LED]\nFormat=1\nM0=Sání\nM1=Rozdělovač\nM2=\nMR=Ještě delší popisek než dvacet znaků\n"
        "Left=100\nTop=200\nWidth=800\nHeight=600\n");
    start();
    EXPECT_EQ(frm->frameGeometry(), QRect(-20, 5000, 500, 400));
    EXPECT_EQ(frm->frmLED()->frameGeometry(), QRect(100, 200, 800, 600));
    EXPECT_EQ(frm->state().verze, 458);
    EXPECT_EQ(ui<QComboBox>("CBverze")->currentIndex(), 3);
    EXPECT_EQ(frm->state().BCas, 4);
    EXPECT_EQ(frm->state().pocetB_Uvod, 3);
    EXPECT_FALSE(ui<QComboBox>("CBFormat")->isHidden());
    EXPECT_EQ(ui<QComboBox>("CBFormat")->currentIndex(), 1);
    EXPECT_EQ(ui<QComboBox>("CBformat_casu")->currentIndex(), 1);
    EXPECT_EQ(ui<QComboBox>("CBmezicasy")->currentIndex(), -1);
    EXPECT_EQ(ui<QLineEdit>("edtM0")->text(), QStringLiteral("Sání"));
    EXPECT_EQ(ui<QLineEdit>("edtM1")->text(), QStringLiteral("Rozdělovač"));
    // Typing limits do not cut what the program sets.
    EXPECT_EQ(ui<QLineEdit>("edtMR")->text(),
              QStringLiteral("Ještě delší popisek než dvacet znaků"));
}

TEST_F(Startup, StoredThousandthsSurviveAVersionThatHidesThePrecisionList) {
    writeIni("[Cas]\nTyp=454\n[LED]\nFormat=1\n");
    start();
    EXPECT_TRUE(ui<QComboBox>("CBFormat")->isHidden());
    EXPECT_EQ(ui<QComboBox>("CBFormat")->currentIndex(), 1);
}

TEST_F(Startup, FirstCloseWritesEveryKeyInOrder) {
    start();
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(
        QString::fromUtf8(readIni()),
        QStringLiteral("[LED]\nFormat=0\nM0=\nM1=\nM2=\nMR=\nLeft=450\nHeight=328\nTop=10\n"
                       "Width=462\n\n\n[Cas]\nLeft=0\nHeight=328\nTop=10\nWidth=462\nTyp=454\n\n\n"
                       "[Clip]\nformat=0\nmezi=0\n"));
}

TEST_F(Startup, CloseKeepsUnknownKeysAndWritesMinusOneForNoSelection) {
    writeIni("; kept\n[Extra]\nfoo=bar\n[clip]\nFORMAT=7\nother=x\n");
    start();
    EXPECT_EQ(ui<QComboBox>("CBformat_casu")->currentIndex(), -1);
    ASSERT_TRUE(closeWindow());
    SettingsFile ini(iniPath());
    EXPECT_EQ(ini.readInt("Clip", "format", 99), -1);
    EXPECT_EQ(ini.readString("Extra", "foo"), QStringLiteral("bar"));
    EXPECT_EQ(ini.readString("Clip", "other"), QStringLiteral("x"));
    const QByteArray text = readIni();
    EXPECT_TRUE(text.startsWith("; kept\n")) << text.toStdString();
    EXPECT_LT(text.indexOf("[Extra]"), text.indexOf("[clip]"));
    EXPECT_LT(text.indexOf("[clip]"), text.indexOf("[LED]"));
}

TEST_F(Startup, UnknownVersionNumbersFollowTheEdition) {
    // Difference edition: 470 leaves the list without a selection, so it is not written back.
    writeIni("[Cas]\nTyp=470\n");
    start(Edition::Difference);
    EXPECT_EQ(ui<QComboBox>("CBverze")->currentIndex(), -1);
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(), QStringLiteral("Formát času: "));
    EXPECT_EQ(frm->state().BCas, 3);
    EXPECT_FALSE(ui<QComboBox>("CBFormat")->isHidden());
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(SettingsFile(iniPath()).readInt("Cas", "Typ", 0), 470);

    // Four-split edition: 470 is unknown, the first entry stays and 454 is stored.
    start(Edition::FourSplit);
    EXPECT_EQ(frm->state().verze, 470);
    EXPECT_EQ(ui<QComboBox>("CBverze")->currentIndex(), 0);
    EXPECT_EQ(ui<AutoSizeLabel>("lblFormat")->text(), QStringLiteral("Formát času: 888,88"));
    EXPECT_TRUE(ui<QComboBox>("CBFormat")->isHidden());
    ASSERT_TRUE(closeWindow());
    EXPECT_EQ(SettingsFile(iniPath()).readInt("Cas", "Typ", 0), 454);
}

// The first failed close keeps the window open with the error; the second one closes it
// without writing again, so the timekeeper can always quit.
TEST_F(Startup, AFailedWriteKeepsTheWindowOpenOnceAndTheNextCloseQuits) {
    for (const char* where : {"missing/kq.ini", "kq.ini-folder"}) {
        SCOPED_TRACE(where);
        const QString path = dir.filePath(QString::fromLatin1(where));
        if (QString::fromLatin1(where).endsWith(QLatin1String("folder"))) {
            ASSERT_TRUE(QDir(dir.path()).mkpath(path));
        }
        errors.shown.clear();
        start(Edition::Difference, path);
        pickPort(QStringLiteral("COM1"));
        ASSERT_TRUE(serial.isOpen());
        const int closesBefore = serial.closes;
        frm->show();
        EXPECT_FALSE(closeWindow());
        EXPECT_TRUE(frm->isVisible());
        const QStringList error{
            QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path))};
        EXPECT_EQ(errors.shown, error);
        EXPECT_EQ(serial.closes, closesBefore + 1);
        EXPECT_TRUE(closeWindow());
        EXPECT_FALSE(frm->isVisible());
        EXPECT_EQ(errors.shown, error) << "the second close does not try again";
        EXPECT_EQ(serial.closes, closesBefore + 1) << "the port is closed once";
    }
}

// Qt's edit boxes cut a text at 32,767 characters; captions the program sets are kept whole.
TEST_F(Startup, CaptionsLongerThanAnEditBoxNormallyTakesAreKeptWhole) {
    const QString caption = QString(40000, QLatin1Char('x')) + QStringLiteral("konec");
    writeIni("[LED]\nM0=" + caption.toUtf8() + "\nMR=" + caption.toUtf8() + "\n");
    start();
    // Compared as lengths first: a failure should not print 40,000 characters.
    for (const QLineEdit* edit : {ui<QLineEdit>("edtM0"), ui<QLineEdit>("edtMR")}) {
        EXPECT_EQ(edit->text().size(), caption.size());
        EXPECT_TRUE(edit->text() == caption);
    }
    ASSERT_TRUE(closeWindow());
    SettingsFile ini(iniPath());
    for (const char* key : {"M0", "MR"})
        EXPECT_TRUE(ini.readString("LED", key) == caption) << key;
}
