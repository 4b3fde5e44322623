// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clipboard.h"

namespace zorvat {

class FakeClipboard final : public Clipboard {
public:
    QString text;
    std::optional<QString> failWith; // set to make the clipboard refuse
    std::optional<QString> setText(const QString& t) override {
        if (failWith)
            return failWith;
        text = t;
        return std::nullopt;
    }
};

} // namespace zorvat
