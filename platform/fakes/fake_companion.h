// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "companion.h"

#include <array>
#include <functional>
#include <vector>

namespace zorvat {

class FakeCompanion final : public Companion {
public:
    bool present = true;
    std::vector<std::array<std::int32_t, 3>> sent;
    bool windowExists() override { return present; }
    // Runs inside a send, as a companion that takes its time would have things happen.
    std::function<void(int msg)> whileSending;
    void send(int msg, std::int32_t wParam, std::int32_t lParam) override {
        sent.push_back({msg, wParam, lParam});
        if (whileSending)
            whileSending(msg);
    }
};

} // namespace zorvat
