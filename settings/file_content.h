// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace zorvat {

// Replaces the whole content of the file at path, creating it if need be. Where its folder
// lets us create files, the content goes to a temporary file that is renamed over the old one,
// so a failed write leaves the old content whole; the new file keeps the old one's owner and
// mode. Where a renamed file could not keep them, or the folder is closed to us but the file
// itself is not, the file is rewritten in place, as the platform's profile functions do.
bool replaceFileContent(const QString& path, const QByteArray& content);

} // namespace zorvat
