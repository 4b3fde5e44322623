// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "error_box.h"

#include <QStringList>

namespace zorvat {

class FakeErrorBox final : public ErrorBox {
public:
    QStringList shown;
    void show(const QString& text) override { shown << text; }
};

} // namespace zorvat
