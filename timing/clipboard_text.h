// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace zorvat {

// retezec with every hledej replaced by zmen.
QString split(QChar hledej, QChar zmen, const QString& retezec);

enum class ClipboardLayout { FirstWithLetterThenSecond, LeftThenRight };

// The clipboard text of a results-list entry: optionally the four board splits, each followed
// by a tab, then the entry in the chosen layout. No line break at the end.
QString clipboardText(const QString& entry, const std::array<QString, 4>* splits,
                      ClipboardLayout layout);

} // namespace zorvat
