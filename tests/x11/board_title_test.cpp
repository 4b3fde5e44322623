// SPDX-License-Identifier: GPL-3.0-or-later
// The title texts the X server holds for the windows, as a window manager reads them.
#include "hub_fixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace zorvat;

namespace {

// The window's title properties as xprop prints them, e.g. {"Duzeveru RE 4", "Duzeveru RE 4"}
// for _NET_WM_NAME and WM_NAME; a property that is not set is left out.
QStringList titles(const QWidget& window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()),
                 QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_NAME")});
    if (!xprop.waitForFinished(10'000) || xprop.exitCode() != 0)
        return {QStringLiteral("xprop failed")};
    QStringList found;
    static const QRegularExpression quoted(QStringLiteral("= \"(.*)\"$"),
                                           QRegularExpression::MultilineOption);
    auto it = quoted.globalMatch(QString::fromUtf8(xprop.readAllStandardOutput()));
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}

using BoardTitle = Hub;

// The board goes on the LED screen: its title bar must stay empty, and an empty title would
// make Qt fall back to the program's name.
TEST_F(BoardTitle, TheBoardWindowHasNoTitleText) {
    start();
    frm->show();
    ui<QPushButton>("SB_zobr")->click();
    TfrmLED& board = *frm->frmLED();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
    EXPECT_EQ(titles(*frm),
              (QStringList{QStringLiteral("Duzeveru RE 4"), QStringLiteral("Duzeveru RE 4")}));
    const QStringList boardTitles = titles(board);
    EXPECT_EQ(boardTitles.size(), 2) << boardTitles.join(u'|').toStdString();
    for (const QString& title : boardTitles)
        EXPECT_TRUE(title.trimmed().isEmpty()) << title.toStdString();
}

} // namespace
