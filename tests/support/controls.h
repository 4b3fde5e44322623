// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <stdexcept>
#include <string>

namespace zorvat {

// A control of a window found by its object name, as the replay tool and a user find it.
// A missing control fails the test that asked for it.
template <class T = QWidget> T* control(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("no control named ") + name);
    return found;
}

} // namespace zorvat
