// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace zorvat {

// Numbered messages exchanged with the companion results program. Free of Qt so that the
// Windows transport can be plain Win32.
class Companion {
public:
    using MessageHandler = std::function<void(int msg, std::int32_t wParam, std::int32_t lParam)>;

    virtual ~Companion() = default;
    // Looked up anew for every message: the companion may come and go at any time.
    virtual bool windowExists() = 0;
    // Synchronous; the companion's answer is not used.
    virtual void send(int msg, std::int32_t wParam, std::int32_t lParam) = 0;

    // Sends only when the companion is there; a missing companion is not an error.
    void sendIfPresent(int msg, std::int32_t wParam, std::int32_t lParam) {
        if (windowExists())
            send(msg, wParam, lParam);
    }

    // Messages the companion sends to us; set by the main window.
    MessageHandler onMessage;
};

} // namespace zorvat
