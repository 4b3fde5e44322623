// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "companion.h"

#include <array>
#include <vector>

namespace zorvat {

class FakeCompanion final : public Companion {
public:
    bool present = true;
    std::vector<std::array<std::int32_t, 3>> sent;
    bool windowExists() override { return present; }
    void send(int msg, std::int32_t wParam, std::int32_t lParam) override {
        sent.push_back({msg, wParam, lParam});
    }
};

} // namespace zorvat
