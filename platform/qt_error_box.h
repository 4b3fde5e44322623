#pragma once

#include "error_box.h"

namespace zorvat {

class QtErrorBox final : public ErrorBox {
public:
    void show(const QString& text) override;
};

} // namespace zorvat
