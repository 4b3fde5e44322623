// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_error_box.h"

#include <QApplication>
#include <QMessageBox>

namespace zorvat {

void QtErrorBox::show(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Critical, QApplication::applicationName(), text,
                                QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Not modal: the space bar must still reach the main window for splits.
    box->setModal(false);
    box->show();
}

} // namespace zorvat
