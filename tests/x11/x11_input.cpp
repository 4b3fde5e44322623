// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11_input.h"

#include <QProcess>
#include <QWidget>

namespace x11 {

namespace {

bool xdotool(const QStringList& args) {
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

} // namespace

bool key(const char* keys) {
    return xdotool({QStringLiteral("key"), QString::fromLatin1(keys)});
}

bool click(const QWidget* widget) {
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                    QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

} // namespace x11
