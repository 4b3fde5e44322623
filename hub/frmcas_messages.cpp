// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's request to read actual.txt.
#include "actual_text.h"
#include "regular_file.h"
#include "tfrmcas.h"

namespace zorvat {

namespace {

bool canTakeFocus(const QWidget* w) {
    return w->isVisible() && w->isEnabled();
}

} // namespace

// The companion's team name and moving text, from actual.txt in the working directory.
void TfrmCas::readActualTxt() {
    // Two short lines are all it holds; a mebibyte is plenty.
    constexpr qint64 kMostBytes = 1024 * 1024;
    const auto head = readFileHead(QStringLiteral("actual.txt"), kMostBytes);
    if (const auto* reason = std::get_if<QString>(&head)) {
        s_.errors.show(QStringLiteral("I/O error: actual.txt: %1").arg(*reason));
        return;
    }
    const FileHead& file = std::get<FileHead>(head);
    const ActualText text = actualText(file.bytes, file.whole);
    edtSDH->setText(text.team);
    // Focus changes only reach the handlers in the active window; elsewhere the same steps
    // run directly, so the moving text restarts either way.
    const bool active = isActiveWindow();
    const bool textFocus = canTakeFocus(edtText);
    if (textFocus) {
        edtText->setFocus();
        if (!active)
            edtTextEnter();
    }
    edtText->setText(text.movingText);
    if (canTakeFocus(edtM1)) {
        edtM1->setFocus();
        if (!active && textFocus)
            edtTextExit();
    }
}

} // namespace zorvat
