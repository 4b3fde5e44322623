// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_identity.h"

#include <QGuiApplication>
#include <QIcon>

namespace zorvat {

QString desktopEntryName(Edition edition) {
    return edition == Edition::Difference ? QStringLiteral("org.zorvat.ZorvatD")
                                          : QStringLiteral("org.zorvat.ZorvatQ");
}

void presentToDesktop(QGuiApplication& app, Edition edition) {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/zorvat-%1.png").arg(size), QSize(size, size));
    app.setWindowIcon(icon);
    app.setDesktopFileName(desktopEntryName(edition));
}

} // namespace zorvat
