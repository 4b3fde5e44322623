// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zorvat {

// Writes a whole file through a temporary one, so that a failed export leaves no half-written
// file behind. The reason in the system's words when it fails.
std::optional<QString> saveFile(const QString& path, const QByteArray& text);

// The session's results list as CSV (resultsCsv) written to path.
std::optional<QString> saveSessionCsv(const QString& folder, qint64 session, const QString& path);

} // namespace zorvat
