// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_companion.h"

#include <windows.h>

namespace zorvat {

namespace {

constexpr wchar_t kCompanionClass[] = L"TfrmKQ";
constexpr wchar_t kOwnClass[] = L"TfrmCas";
constexpr UINT kTimeoutMs = 2000;

bool isCompanionMessage(UINT msg) {
    return msg == 1490 || msg == 1493 || msg == 1494;
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (isCompanionMessage(msg)) {
        auto* self = reinterpret_cast<Win32Companion*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && self->onMessage)
            self->onMessage(static_cast<int>(msg), static_cast<std::int32_t>(wParam),
                            static_cast<std::int32_t>(lParam));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

Win32Companion::Win32Companion() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kOwnClass;
    RegisterClassExW(&wc);
    // A real top-level window, not HWND_MESSAGE: the companion finds us with FindWindow.
    window_ = CreateWindowExW(0, kOwnClass, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                              instance, this);
}

Win32Companion::~Win32Companion() {
    if (window_)
        DestroyWindow(static_cast<HWND>(window_));
    UnregisterClassW(kOwnClass, GetModuleHandleW(nullptr));
}

bool Win32Companion::windowExists() {
    return FindWindowW(kCompanionClass, nullptr) != nullptr;
}

void Win32Companion::send(int msg, std::int32_t wParam, std::int32_t lParam) {
    HWND companion = FindWindowW(kCompanionClass, nullptr);
    if (!companion)
        return;
    DWORD_PTR result = 0;
    // Not SMTO_BLOCK: while we wait, requests the companion sends us are still handled, so the
    // two programs cannot deadlock; ABORTIFHUNG and the timeout keep a hung companion from
    // freezing our screen.
    SendMessageTimeoutW(companion, static_cast<UINT>(msg), static_cast<WPARAM>(wParam),
                        static_cast<LPARAM>(lParam), SMTO_NORMAL | SMTO_ABORTIFHUNG, kTimeoutMs,
                        &result);
}

} // namespace zorvat
