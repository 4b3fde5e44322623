// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace zorvat {

// The system clipboard, written as Unicode text only.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's contents; returns the system's error text when the
    // clipboard cannot be opened.
    virtual std::optional<QString> setText(const QString& text) = 0;
};

} // namespace zorvat
