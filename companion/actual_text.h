// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace zorvat {

// What actual.txt gives the board: line 1 the team name, line 2 the moving text.
struct ActualText {
    QString team;
    QString movingText;
};

// bytes is the start of the file; whole tells that the file ended there. Lines end at LF or
// CR LF. Control characters (tabs, stray CRs, escapes, NULs) are dropped: the board would show
// them as boxes.
ActualText actualText(QByteArray bytes, bool whole);

} // namespace zorvat
