#include "qt_error_box.h"

#include <QApplication>
#include <QMessageBox>

namespace zorvat {

void QtErrorBox::show(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

} // namespace zorvat
