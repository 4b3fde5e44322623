// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the companion results program on Windows: a top-level window of class
// "TfrmKQ" that appends every numbered message it receives to LOG as "MSG WPARAM LPARAM",
// after sending the given messages to our program's window "TfrmCas" once it is there.
// Usage: standin_companion LOG [MSG WPARAM LPARAM]...
// Ends on WM_CLOSE.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const wchar_t* logPath = nullptr;

bool isCompanionMessage(UINT msg) {
    return msg >= 1490 && msg <= 1495;
}

// Opened and closed per message, so that a reader sees each line as soon as it is handled.
void logMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Binary: LF line ends, as the tests read them.
    FILE* log = _wfopen(logPath, L"ab");
    if (!log)
        return;
    std::fprintf(log, "%u %d %d\n", msg, static_cast<int>(static_cast<std::int32_t>(wParam)),
                 static_cast<int>(static_cast<std::int32_t>(lParam)));
    std::fclose(log);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (isCompanionMessage(msg)) {
        logMessage(msg, wParam, lParam);
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || (argc - 2) % 3 != 0) {
        std::fprintf(stderr, "usage: standin_companion LOG [MSG WPARAM LPARAM]...\n");
        return 2;
    }
    logPath = argv[1];
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TfrmKQ";
    if (!RegisterClassExW(&wc))
        return 1;
    HWND own = CreateWindowExW(0, L"TfrmKQ", L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                               instance, nullptr);
    if (!own)
        return 1;
    for (int i = 2; i < argc; i += 3) {
        const auto msg = static_cast<UINT>(std::wcstol(argv[i], nullptr, 10));
        const auto wParam = static_cast<std::int32_t>(std::wcstol(argv[i + 1], nullptr, 10));
        const auto lParam = static_cast<std::int32_t>(std::wcstol(argv[i + 2], nullptr, 10));
        HWND program = FindWindowW(L"TfrmCas", nullptr);
        if (program)
            SendMessageW(program, msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
