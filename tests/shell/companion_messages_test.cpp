// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

#include <QApplication>

using namespace zorvat;

class CompanionMessages : public Device {
protected:
    QString previousDir;
    void SetUp() override {
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previousDir); }
    void writeActual(const QByteArray& content) {
        QFile f(dir.filePath(QStringLiteral("actual.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    void message(int msg) { companion.onMessage(msg, 0, 0); }
};

TEST_F(CompanionMessages, SettingsAndVersionRequestsAreAnsweredAtOnce) {
    greet(466, 0xDC);
    pick(frm->CBFormat, 1);
    companion.sent.clear();
    message(1490);
    message(1494);
    message(1491); // not a request
    EXPECT_EQ(companion.sent, (Sent{{1490, 466, 0xDC}, {1494, 466, 1}}));
}

TEST_F(CompanionMessages, ActualTxtFillsTeamAndMovingText) {
    greet(466, 0x51);
    frm->show();
    frm->activateWindow();
    QApplication::processEvents();
    writeActual("SDH Horní Zorvatice\r\nVítejte na soutěži\r\n");
    message(1493);
    EXPECT_EQ(frm->edtSDH->text(), QStringLiteral("SDH Horní Zorvatice"));
    EXPECT_EQ(frm->edtText->text(), QStringLiteral("Vítejte na soutěži"));
    EXPECT_EQ(frm->focusWidget(), frm->edtM1);
    EXPECT_TRUE(frm->t_posun);
    EXPECT_EQ(frm->frmLED()->Scrolly, QStringLiteral("Vítejte na soutěži"));
    EXPECT_TRUE(errors.shown.isEmpty());
}

TEST_F(CompanionMessages, OneLineGivesAnEmptySecondLineEvenWhenHidden) {
    greet(466, 0x51); // window never shown: the focus steps run without focus events
    frm->edtText->setText(QStringLiteral("old"));
    writeActual("Jen tým");
    message(1493);
    EXPECT_EQ(frm->edtSDH->text(), QStringLiteral("Jen tým"));
    EXPECT_EQ(frm->edtText->text(), QString());
}

TEST_F(CompanionMessages, ALongTeamNameFromTheCompanionIsKeptWhole) {
    greet(466, 0x51);
    const QString name = QStringLiteral("Sbor dobrovolných hasičů Zorvatice nad Orlicí");
    writeActual(name.toUtf8() + "\n");
    message(1493);
    EXPECT_EQ(frm->edtSDH->text(), name);
}

TEST_F(CompanionMessages, WindowsCodePageIsRead) {
    greet(466, 0x51);
    writeActual(QByteArray("Hasi\xe8i\nP\xf8\xedprava\n"));
    message(1493);
    EXPECT_EQ(frm->edtSDH->text(), QStringLiteral("Hasiči"));
    EXPECT_EQ(frm->edtText->text(), QStringLiteral("Příprava"));
}

TEST_F(CompanionMessages, AMissingFileIsReportedAndChangesNothing) {
    greet(466, 0x51);
    frm->edtSDH->setText(QStringLiteral("Kept"));
    message(1493);
    EXPECT_EQ(errors.shown,
              QStringList{QStringLiteral("I/O error: actual.txt: No such file or directory")});
    EXPECT_EQ(frm->edtSDH->text(), QStringLiteral("Kept"));
    EXPECT_FALSE(frm->t_posun);
}
