// SPDX-License-Identifier: GPL-3.0-or-later
#include "port_names.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace zorvat {

namespace {

// 1..10 for "COM1".."COM10" in any case, 0 for anything else.
int comNumber(const QString& comName) {
    static const QRegularExpression pattern(QStringLiteral("^COM([1-9]|10)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(comName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

ResolvedPort resolveComPort(const QString& comName, const QString& portsFolder,
                            const std::function<bool(const QString&)>& deviceExists) {
    const int number = comNumber(comName);
    if (number == 0)
        return {};
    const QFileInfo link(QDir(portsFolder).filePath(QStringLiteral("com%1").arg(number)));
    if (link.isSymLink()) {
        // A dangling link still names this port; opening it then fails as a missing port.
        const QString target = link.canonicalFilePath();
        return {target.isEmpty() ? link.absoluteFilePath() : target, PortSource::Link};
    }
    const QString usb = QStringLiteral("/dev/ttyUSB%1").arg(number - 1);
    if (deviceExists(usb))
        return {usb, PortSource::UsbAdapter};
    return {QStringLiteral("/dev/ttyS%1").arg(number - 1), PortSource::BuiltIn};
}

QString comPortsFolder() {
    const QString fromEnvironment = qEnvironmentVariable("ZORVAT_PORTS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir::home().filePath(QStringLiteral(".zorvat/ports"));
}

ResolvedPort resolveComPort(const QString& comName) {
#ifdef Q_OS_WIN
    return {comName, PortSource::BuiltIn};
#else
    return resolveComPort(comName, comPortsFolder(),
                          [](const QString& path) { return QFileInfo::exists(path); });
#endif
}

} // namespace zorvat
