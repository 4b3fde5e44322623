#pragma once

#include "companion.h"

namespace zorvat {

// Used until a transport to the companion is configured: no companion window exists.
class AbsentCompanion final : public Companion {
public:
    bool windowExists() override { return false; }
    void send(int, qint32, qint32) override {}
};

} // namespace zorvat
