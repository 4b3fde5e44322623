#pragma once

#include <QtGlobal>

namespace zorvat {

// Numbered messages to the companion results program.
class Companion {
public:
    virtual ~Companion() = default;
    // Looked up anew for every message: the companion may come and go at any time.
    virtual bool windowExists() = 0;
    // Synchronous; the companion's answer is not used.
    virtual void send(int msg, qint32 wParam, qint32 lParam) = 0;

    // Sends only when the companion is there; a missing companion is not an error.
    void sendIfPresent(int msg, qint32 wParam, qint32 lParam) {
        if (windowExists())
            send(msg, wParam, lParam);
    }
};

} // namespace zorvat
