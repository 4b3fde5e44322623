// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_location.h"

#include "installed_data.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zorvat {

namespace {

const QString kFileName = QStringLiteral("kq.ini");

bool writableBeside(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    const QFileInfo file(QDir(programFolder).filePath(kFileName));
    return (folder.isDir() && folder.isWritable()) || (file.isFile() && file.isWritable());
}

} // namespace

QString chooseSettingsFile(const QString& programFolder, const QString& configFolder) {
    // An installed copy stays out of <prefix>/bin even for root, who may write anywhere.
    const bool installed = QFileInfo(installedDataFolder(programFolder)).isDir();
    if (!installed && writableBeside(programFolder))
        return QDir(programFolder).filePath(kFileName);
    // A failure shows at close, as "Unable to write to …" for the file.
    QDir().mkpath(configFolder);
    return QDir(configFolder).filePath(kFileName);
}

QString userConfigFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("zorvat"));
}

QString programSettingsFile() {
    return chooseSettingsFile(QCoreApplication::applicationDirPath(), userConfigFolder());
}

} // namespace zorvat
