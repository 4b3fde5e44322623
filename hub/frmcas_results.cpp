// SPDX-License-Identifier: GPL-3.0-or-later
// The results list: the selected result goes to the clipboard; deleting entries.
#include "clipboard_text.h"
#include "tfrmcas.h"
#include "tfrmled.h"

namespace zorvat {

bool TfrmCas::putOnClipboard(const QString& text) {
    if (const auto error = s_.clipboard.setText(text)) {
        s_.errors.show(QStringLiteral("Cannot open clipboard: %1").arg(*error));
        return false;
    }
    return true;
}

bool TfrmCas::CBCasChange() {
    const QString e = CBCas->currentIndex() >= 0 ? CBCas->currentText() : QString();
    if (e.isEmpty()) {
        btnDel->setEnabled(false);
        return putOnClipboard(QString());
    }
    btnDel->setEnabled(true);
    const std::array<QString, 4> splits = frmLED_->rowTimes();
    const auto layout = CBformat_casu->currentIndex() == 1
                            ? ClipboardLayout::LeftThenRight
                            : ClipboardLayout::FirstWithLetterThenSecond;
    return putOnClipboard(
        clipboardText(e, CBmezicasy->currentIndex() == 0 ? &splits : nullptr, layout));
}

// The list's first, empty item is no result: entries count from the one after it.
void TfrmCas::btnDelClick() {
    // The button disables itself below; its focus goes back to the list, which passes the
    // space bar on, rather than to the next control.
    if (focusWidget() == btnDel)
        CBCas->setFocus();
    const int index = CBCas->currentIndex();
    if (index > 0)
        events_.resultDeleted(index - 1);
    CBCas->removeItem(index);
    CBCas->setCurrentIndex(-1);
    if (CBCasChange())
        putOnClipboard(QString());
}

// The list passes every key on to the window's handler, so the space bar takes a split while
// the list has the focus. The space bar must not also open the list's popup.
bool TfrmCas::CBCasKeyDown(int key, Qt::KeyboardModifiers shift, std::optional<qint64> pressedMs) {
    FormKeyDown(key, shift, pressedMs);
    return key == Qt::Key_Space;
}

} // namespace zorvat
