// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvat {

// The standard error box of the windowing system.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    virtual void show(const QString& text) = 0;
};

} // namespace zorvat
