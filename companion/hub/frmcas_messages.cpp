// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's request to read actual.txt.
#include "local_text.h"
#include "tfrmcas.h"

#include <QFile>

namespace zorvat {

namespace {

bool canTakeFocus(const QWidget* w) {
    return w->isVisible() && w->isEnabled();
}

} // namespace

// The companion's team name and moving text, from actual.txt in the working directory.
void TfrmCas::readActualTxt() {
    QFile file(QStringLiteral("actual.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        s_.errors.show(
            QStringLiteral("I/O error: %1: %2").arg(file.fileName(), file.errorString()));
        return;
    }
    QStringList lines = decodeLocalText(file.readAll()).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    edtSDH->setText(lines.value(0));
    // Focus changes only reach the handlers in the active window; elsewhere the same steps
    // run directly, so the moving text restarts either way.
    const bool active = isActiveWindow();
    const bool textFocus = canTakeFocus(edtText);
    if (textFocus) {
        edtText->setFocus();
        if (!active)
            edtTextEnter();
    }
    edtText->setText(lines.value(1));
    if (canTakeFocus(edtM1)) {
        edtM1->setFocus();
        if (!active && textFocus)
            edtTextExit();
    }
}

} // namespace zorvat
