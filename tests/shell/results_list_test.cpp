// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

using namespace zorvat;

class ResultsList : public Device {
protected:
    void SetUp() override {
        start();
        frm->CBCas->addItem(QStringLiteral("12,34L 13,00"));
        frm->CBCas->addItem(QStringLiteral("12,34P 13,00"));
    }
};

TEST_F(ResultsList, SelectionPutsTheChosenLayoutOnTheClipboard) {
    pick(frm->CBmezicasy, 1);
    pick(frm->CBCas, 1);
    EXPECT_EQ(clipboard.text, QStringLiteral("12,34L\t13,00"));
    EXPECT_TRUE(frm->btnDel->isEnabled());
    // A new layout applies from the next selection only.
    pick(frm->CBformat_casu, 1);
    EXPECT_EQ(clipboard.text, QStringLiteral("12,34L\t13,00"));
    pick(frm->CBCas, 2);
    EXPECT_EQ(clipboard.text, QStringLiteral("13,00\t12,34"));
    pick(frm->CBmezicasy, 0);
    frm->frmLED()->lblCas0->setText(QStringLiteral("1,00"));
    frm->frmLED()->lblCas1->setText(QStringLiteral("2,00"));
    pick(frm->CBCas, 1);
    EXPECT_EQ(clipboard.text, QStringLiteral("1,00\t2,00\t\t\t12,34\t13,00"));
    pick(frm->CBCas, 0);
    EXPECT_EQ(clipboard.text, QString());
    EXPECT_FALSE(frm->btnDel->isEnabled());
}

TEST_F(ResultsList, DeleteRemovesTheEntryAndEmptiesTheClipboard) {
    pick(frm->CBCas, 2);
    frm->btnDel->click();
    EXPECT_EQ(frm->CBCas->count(), 2);
    EXPECT_EQ(frm->CBCas->currentIndex(), -1);
    EXPECT_FALSE(frm->btnDel->isEnabled());
    EXPECT_EQ(clipboard.text, QString());
}

TEST_F(ResultsList, ARefusingClipboardIsReported) {
    clipboard.text = QStringLiteral("old");
    clipboard.failWith = QStringLiteral("Access is denied.");
    pick(frm->CBCas, 1);
    EXPECT_EQ(errors.shown,
              QStringList{QStringLiteral("Cannot open clipboard: Access is denied.")});
    EXPECT_TRUE(frm->btnDel->isEnabled());
    EXPECT_EQ(clipboard.text, QStringLiteral("old"));
    frm->btnDel->click();
    EXPECT_EQ(frm->CBCas->count(), 2) << "the entry is gone even when the clipboard refuses";
    EXPECT_EQ(errors.shown.size(), 2) << "the second empty write is skipped";
}
