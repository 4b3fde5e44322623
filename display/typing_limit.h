// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLineEdit;

namespace zorvat {

// Limits what the user can type into an edit box to maxChars characters, while texts the
// program sets (a stored caption, a team name from the companion) stay whole, and a longer
// text can still be shortened by hand. QLineEdit::setMaxLength would cut both.
void limitTyping(QLineEdit* edit, int maxChars);

} // namespace zorvat
