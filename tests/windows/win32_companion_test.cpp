// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows companion transport against a real second process, the stand-in companion,
// with window messages going both ways.
#include "win32_companion.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace zorvat {
namespace {

using Message = std::tuple<int, std::int32_t, std::int32_t>;

std::wstring besideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

std::wstring temporaryFile() {
    wchar_t folder[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"kq", 0, file);
    return file;
}

std::vector<Message> readLog(const std::wstring& path) {
    std::vector<Message> messages;
    std::ifstream log{std::filesystem::path(path)};
    int msg = 0;
    std::int32_t wParam = 0;
    std::int32_t lParam = 0;
    while (log >> msg >> wParam >> lParam)
        messages.emplace_back(msg, wParam, lParam);
    return messages;
}

// The stand-in as a child process, closed and waited for at the end.
class StandIn {
public:
    StandIn(const std::wstring& log, const std::wstring& requests) {
        std::wstring command = L"\"" + besideThisProgram(L"standin_companion.exe") + L"\" \"" +
                               log + L"\" " + requests;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_);
    }
    ~StandIn() {
        if (!started_)
            return;
        if (HWND window = FindWindowW(L"TfrmKQ", nullptr))
            PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10'000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    bool started() const { return started_; }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

// Dispatches our window messages, as the program's event loop does, until done() or the
// time limit.
template <typename Done> bool pumpUntil(Done done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done() && std::chrono::steady_clock::now() < limit) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return done();
}

TEST(Win32Companion, ExchangesMessagesWithTheCompanionsWindow) {
    Win32Companion companion;
    std::vector<Message> received;
    companion.onMessage = [&](int msg, std::int32_t wParam, std::int32_t lParam) {
        received.emplace_back(msg, wParam, lParam);
    };
    EXPECT_FALSE(companion.windowExists());

    const std::wstring log = temporaryFile();
    // 1491 is no request of the companion's and must not reach the program; the three
    // requests come through with both values whole, signs and edges included.
    StandIn standIn(log, L"1491 7 7 1493 -5 255 1490 -2147483648 2147483647 1494 0 -1");
    ASSERT_TRUE(standIn.started());
    ASSERT_TRUE(pumpUntil([&] { return received.size() >= 3; }));
    EXPECT_EQ(received,
              (std::vector<Message>{{1493, -5, 255}, {1490, INT32_MIN, INT32_MAX}, {1494, 0, -1}}));

    ASSERT_TRUE(companion.windowExists());
    const std::vector<Message> sent = {
        {1490, 470, 0x5A}, {1491, 6, 12345}, {1492, 2, -7}, {1495, 4, INT32_MIN}};
    // Synchronous: each is handled (and logged) by the time send returns.
    for (const auto& [msg, wParam, lParam] : sent)
        companion.send(msg, wParam, lParam);
    EXPECT_EQ(readLog(log), sent);
    DeleteFileW(log.c_str());
}

TEST(Win32Companion, SendingWithoutCompanionChangesNothing) {
    Win32Companion companion;
    ASSERT_FALSE(companion.windowExists());
    // Returns at once rather than waiting for a window that is not there.
    const auto before = std::chrono::steady_clock::now();
    companion.sendIfPresent(1491, 1, 2);
    companion.send(1491, 1, 2);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1000));
}

} // namespace
} // namespace zorvat
