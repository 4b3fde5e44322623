// SPDX-License-Identifier: GPL-3.0-or-later
// Links the Windows transport; run on Windows it also checks that the companion can reach us
// and that both 32-bit values come through intact.
#include "win32_companion.h"

#include <windows.h>

int main() {
    zorvat::Win32Companion companion;
    int received = 0;
    companion.onMessage = [&](int msg, std::int32_t wParam, std::int32_t lParam) {
        if (msg == 1493 && wParam == -5 && lParam == 255)
            ++received;
    };
    HWND own = FindWindowW(L"TfrmCas", nullptr);
    if (!own)
        return 1;
    SendMessageW(own, 1493, static_cast<WPARAM>(std::int32_t{-5}), 255);
    SendMessageW(own, 1491, 0, 0);
    companion.sendIfPresent(1490, 0, 0);
    return received == 1 ? 0 : 2;
}
