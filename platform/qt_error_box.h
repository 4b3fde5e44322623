// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "error_box.h"

#include <QPointer>
#include <QWidget>

namespace zorvat {

// The error box, shown without waiting for OK: a handler that reports an error goes on at
// once, so the device stream keeps being decoded while the box is up. It sits over the main
// window, never on the board's screen.
class QtErrorBox final : public ErrorBox {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }
    void show(const QString& text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace zorvat
