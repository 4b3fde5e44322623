// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "companion.h"

namespace zorvat {

// Window messages to and from the companion on Windows. Messages from the companion arrive at
// our hidden top-level window; the program's event loop dispatches them, so no loop of our own.
class Win32Companion final : public Companion {
public:
    Win32Companion();
    ~Win32Companion() override;
    Win32Companion(const Win32Companion&) = delete;
    Win32Companion& operator=(const Win32Companion&) = delete;

    bool windowExists() override;
    void send(int msg, std::int32_t wParam, std::int32_t lParam) override;

private:
    // HWND, kept as void* so that including this header does not pull in <windows.h>.
    void* window_ = nullptr;
};

} // namespace zorvat
