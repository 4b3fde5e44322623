// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay_controls.h"

#include <QWidget>

namespace zorvat {

QList<QWidget*> namedControls(const QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && w->window() == window)
            controls << w;
    }
    return controls;
}

} // namespace zorvat
