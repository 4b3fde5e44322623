// SPDX-License-Identifier: GPL-3.0-or-later
// The whole results list: put back after an unclean end, copied, saved as CSV.
#include "clipboard_text.h"
#include "restored_text.h"
#include "tfrmcas.h"

#include <QFileDialog>
#include <QMenu>

namespace zorvat {

namespace {

ClipboardLayout layoutOf(const QComboBox* list) {
    return list->currentIndex() == 1 ? ClipboardLayout::LeftThenRight
                                     : ClipboardLayout::FirstWithLetterThenSecond;
}

} // namespace

// The entries are already in the journal; they are only shown again.
void TfrmCas::restoreResults(const std::vector<QString>& entries) {
    if (entries.empty())
        return;
    for (const QString& e : entries)
        CBCas->addItem(e);
    restoreNotice->setText(restoredResultsText(static_cast<int>(entries.size())));
}

// Every entry on a line of its own, laid out as a single selected result without splits
// (the board holds only the last attempt's).
QString TfrmCas::allResultsText() const {
    QStringList lines;
    for (int i = 1; i < CBCas->count(); ++i)
        lines << clipboardText(CBCas->itemText(i), nullptr, layoutOf(CBformat_casu));
    return lines.join(QLatin1Char('\n'));
}

void TfrmCas::copyAllResults() {
    putOnClipboard(allResultsText());
}

void TfrmCas::saveResultsCsv(const QString& file) {
    if (!exportResults)
        return;
    if (const auto error = exportResults(file))
        s_.errors.show(QStringLiteral("Výsledky nelze uložit: %1").arg(*error));
}

// Neither the menu nor the file dialog holds up the event loop: bytes keep being decoded.
void TfrmCas::CBCasContextMenu(const QPoint& at) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Kopírovat všechny výsledky"), this,
                    [this] { copyAllResults(); });
    QAction* save = menu->addAction(QStringLiteral("Uložit výsledky do CSV…"), this, [this] {
        auto* dialog = new QFileDialog(this, QStringLiteral("Uložit výsledky do CSV"), QString(),
                                       QStringLiteral("CSV (*.csv)"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setDefaultSuffix(QStringLiteral("csv"));
        dialog->selectFile(QStringLiteral("vysledky.csv"));
        connect(dialog, &QFileDialog::fileSelected, this,
                [this](const QString& file) { saveResultsCsv(file); });
        dialog->open();
    });
    save->setEnabled(static_cast<bool>(exportResults));
    menu->popup(CBCas->mapToGlobal(at));
}

} // namespace zorvat
