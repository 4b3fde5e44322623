// SPDX-License-Identifier: GPL-3.0-or-later
#include "installed_data.h"

#include <QCoreApplication>
#include <QDir>

namespace zorvat {

QString installedDataFolder(const QString& programFolder) {
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(ZORVAT_DATA_FROM_BIN)));
}

QString installedDataFolder() {
    return installedDataFolder(QCoreApplication::applicationDirPath());
}

} // namespace zorvat
