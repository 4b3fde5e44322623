#pragma once

#include "companion.h"

#include <array>
#include <vector>

namespace zorvat {

class FakeCompanion final : public Companion {
public:
    bool present = true;
    std::vector<std::array<qint32, 3>> sent;
    bool windowExists() override { return present; }
    void send(int msg, qint32 wParam, qint32 lParam) override {
        sent.push_back({msg, wParam, lParam});
    }
};

} // namespace zorvat
