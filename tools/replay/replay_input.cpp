// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace zorvat {

void settleEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void pressKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    pressKey(edit, Qt::Key_Backspace, QString());
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        pressKey(edit, static_cast<int>(QChar::toUpper(c)), one);
    }
}

} // namespace zorvat
