// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace zorvat {

class TfrmCas;

// The outside world: the clipboard as it is, the rest as it came since the previous dump.
struct Recorded {
    QString clipboard;
    std::vector<std::array<qint32, 3>> sent;
    QStringList errors;
    std::vector<std::pair<QString, bool>> sounds; // file, played synchronously
    QStringList lines;
};

// Both windows, their named controls, the hub's state and the records, at virtual time t.
QJsonObject dumpJson(const TfrmCas& frmCas, qint64 t, const Recorded& recorded);

} // namespace zorvat
