// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_content.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zorvat {

namespace {

// Not truncated first: the old content is overwritten and then cut to the new length, so a
// file we may write but not replace loses no more than the write itself fails to put there.
bool writeInPlace(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    return file.write(content) == content.size() && file.resize(content.size());
}

// Gives the temporary file the owner and mode of the file it replaces; false when it cannot
// have them (only root may give a file to another user).
bool takeOwnerAndMode(const QSaveFile& temporary, const QString& original) {
#ifdef Q_OS_UNIX
    struct stat old {};
    struct stat now {};
    if (::stat(QFile::encodeName(original).constData(), &old) != 0 ||
        ::fstat(temporary.handle(), &now) != 0)
        return false;
    if ((old.st_uid != now.st_uid || old.st_gid != now.st_gid) &&
        ::fchown(temporary.handle(), old.st_uid, old.st_gid) != 0)
        return false;
    return ::fchmod(temporary.handle(), old.st_mode & 07777) == 0;
#else
    Q_UNUSED(temporary);
    Q_UNUSED(original);
    return true;
#endif
}

} // namespace

bool replaceFileContent(const QString& path, const QByteArray& content) {
    const QFileInfo existing(path);
    QSaveFile file(path);
    // Unbuffered: a buffered flush that writes only part (disk full) still lets commit() succeed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QFileInfo target(existing.canonicalFilePath());
        return existing.isFile() && !QFileInfo(target.absolutePath()).isWritable() &&
               writeInPlace(path, content);
    }
    if (existing.exists() && !takeOwnerAndMode(file, path)) {
        file.cancelWriting();
        return writeInPlace(path, content);
    }
    return file.write(content) == content.size() && file.commit();
}

} // namespace zorvat
