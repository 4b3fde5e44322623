// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zorvat {

std::optional<QString> QtClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    return std::nullopt;
}

} // namespace zorvat
