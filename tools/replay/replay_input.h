// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace zorvat {

// Lets queued events run (deferred deletes included) without waiting for anything.
void settleEvents();

// A key pressed and released over target, handed on to its parents while nobody takes it.
void pressKey(QWidget* target, int key, const QString& text);

// Replaces an edit box's text as typing would: the old text selected and deleted, then one
// key per character, each passing the box's typing limit.
void typeInto(QLineEdit* edit, const QString& text);

} // namespace zorvat
