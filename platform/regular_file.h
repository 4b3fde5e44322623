// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <variant>

namespace zorvat {

// The start of a file that another program wrote for us.
struct FileHead {
    QByteArray bytes;   // at most the bytes asked for
    bool whole = false; // the file held no more than that
};

// Reads at most maxBytes from the start of the regular file at path. Anything else (a FIFO, a
// device, a folder) is refused before it can block the caller or feed it without end. On
// failure, the reason in the system's words, or "není obyčejný soubor" for what is not a
// regular file.
std::variant<FileHead, QString> readFileHead(const QString& path, qint64 maxBytes);

} // namespace zorvat
