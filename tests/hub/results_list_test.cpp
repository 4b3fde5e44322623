// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_fixture.h"

using namespace zorvat;

class ResultsList : public Device {
protected:
    void SetUp() override {
        start();
        ui<QComboBox>("CBCas")->addItem(QStringLiteral("12,34L 13,00"));
        ui<QComboBox>("CBCas")->addItem(QStringLiteral("12,34P 13,00"));
    }
};

TEST_F(ResultsList, SelectionPutsTheChosenLayoutOnTheClipboard) {
    pick(ui<QComboBox>("CBmezicasy"), 1);
    pick(ui<QComboBox>("CBCas"), 1);
    EXPECT_EQ(clipboard.text, QStringLiteral("12,34L\t13,00"));
    EXPECT_TRUE(ui<QPushButton>("btnDel")->isEnabled());
    // A new layout applies from the next selection only.
    pick(ui<QComboBox>("CBformat_casu"), 1);
    EXPECT_EQ(clipboard.text, QStringLiteral("12,34L\t13,00"));
    pick(ui<QComboBox>("CBCas"), 2);
    EXPECT_EQ(clipboard.text, QStringLiteral("13,00\t12,34"));
    pick(ui<QComboBox>("CBmezicasy"), 0);
    frm->frmLED()->setRow(0, {}, QStringLiteral("1,00"));
    frm->frmLED()->setRow(1, {}, QStringLiteral("2,00"));
    pick(ui<QComboBox>("CBCas"), 1);
    EXPECT_EQ(clipboard.text, QStringLiteral("1,00\t2,00\t\t\t12,34\t13,00"));
    pick(ui<QComboBox>("CBCas"), 0);
    EXPECT_EQ(clipboard.text, QString());
    EXPECT_FALSE(ui<QPushButton>("btnDel")->isEnabled());
}

TEST_F(ResultsList, DeleteRemovesTheEntryAndEmptiesTheClipboard) {
    pick(ui<QComboBox>("CBCas"), 2);
    ui<QPushButton>("btnDel")->click();
    EXPECT_EQ(ui<QComboBox>("CBCas")->count(), 2);
    EXPECT_EQ(ui<QComboBox>("CBCas")->currentIndex(), -1);
    EXPECT_FALSE(ui<QPushButton>("btnDel")->isEnabled());
    EXPECT_EQ(clipboard.text, QString());
}

TEST_F(ResultsList, ARefusingClipboardIsReported) {
    clipboard.text = QStringLiteral("old");
    clipboard.failWith = QStringLiteral("Access is denied.");
    pick(ui<QComboBox>("CBCas"), 1);
    EXPECT_EQ(errors.shown,
              QStringList{QStringLiteral("Cannot open clipboard: Access is denied.")});
    EXPECT_TRUE(ui<QPushButton>("btnDel")->isEnabled());
    EXPECT_EQ(clipboard.text, QStringLiteral("old"));
    ui<QPushButton>("btnDel")->click();
    EXPECT_EQ(ui<QComboBox>("CBCas")->count(), 2)
        << "the entry is gone even when the clipboard refuses";
    EXPECT_EQ(errors.shown.size(), 2) << "the second empty write is skipped";
}

TEST_F(ResultsList, CopyAllPutsEveryEntryOnALineInTheChosenLayout) {
    pick(ui<QComboBox>("CBmezicasy"), 0); // splits on: copying all still leaves them out
    frm->frmLED()->setRow(0, {}, QStringLiteral("1,00"));
    frm->copyAllResults();
    EXPECT_EQ(clipboard.text, QStringLiteral("12,34L\t13,00\n12,34P\t13,00"));
    pick(ui<QComboBox>("CBformat_casu"), 1);
    frm->copyAllResults();
    EXPECT_EQ(clipboard.text, QStringLiteral("12,34\t13,00\n13,00\t12,34"));
}

TEST_F(ResultsList, RestoredEntriesAreListedAndAnnouncedWithoutBeingReportedAgain) {
    struct Recorder : AttemptEvents {
        int added = 0;
        void resultsAdded(const std::vector<ResultEntry>&, const std::shared_ptr<void>&) override {
            ++added;
        }
    } recorder;
    frm->subscribe(recorder);
    frm->restoreResults({QStringLiteral("1 12,34"), QStringLiteral("2 15,67")});
    EXPECT_EQ(results().mid(3),
              (QStringList{QStringLiteral("1 12,34"), QStringLiteral("2 15,67")}));
    EXPECT_EQ(ui<QLabel>("restoreNotice")->text(),
              QStringLiteral("Obnoveny 2 výsledky z předchozího běhu"));
    EXPECT_EQ(ui<AutoSizeLabel>("lblUvod1")->text(), QString());
    EXPECT_EQ(recorder.added, 0);
}

// A subscriber (the journal) hears of an attempt's results before any of them is listed.
TEST_F(ResultsList, ResultsAreReportedBeforeTheyAreShown) {
    struct Recorder : AttemptEvents {
        const QComboBox* list = nullptr;
        std::vector<std::pair<int, std::vector<ResultEntry>>> seen;
        std::shared_ptr<void> held;
        void resultsAdded(const std::vector<ResultEntry>& e,
                          const std::shared_ptr<void>& shown) override {
            seen.emplace_back(list->count(), e);
            held = shown;
        }
    } recorder;
    greet(458, 0x52);
    recorder.list = ui<QComboBox>("CBCas");
    frm->subscribe(recorder);
    device({0xBA, 0x02, 0x01, 0x23, 0x45, 0xBA, 0x00, 0x01, 0x56, 0x78});
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_EQ(recorder.seen[0].first, 1) << "only the empty first entry was listed";
    const std::vector<ResultEntry> expected{
        {QStringLiteral("1 12,34"), std::array<qint32, 4>{6, 12345, 0, 0}, false},
        {QStringLiteral("L 15,67"), std::nullopt, false}};
    EXPECT_EQ(recorder.seen[0].second, expected);
    // Listed only once the subscriber lets go.
    EXPECT_EQ(results().size(), 1);
    recorder.held.reset();
    EXPECT_EQ(results(),
              (QStringList{QString(), QStringLiteral("1 12,34"), QStringLiteral("L 15,67")}));
}

TEST_F(ResultsList, FailedCsvExportIsReportedInCzechWithTheSystemsReason) {
    QString asked;
    frm->exportResults = [&](const QString& file) -> std::optional<QString> {
        asked = file;
        return QStringLiteral("No space left on device");
    };
    frm->saveResultsCsv(QStringLiteral("/tmp/x.csv"));
    EXPECT_EQ(asked, QStringLiteral("/tmp/x.csv"));
    EXPECT_EQ(errors.shown,
              QStringList{QStringLiteral("Výsledky nelze uložit: No space left on device")});
}
