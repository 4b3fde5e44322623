// SPDX-License-Identifier: GPL-3.0-or-later
#include "regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zorvat {

namespace {

QString notRegular() {
    return QStringLiteral("není obyčejný soubor");
}

} // namespace

std::variant<FileHead, QString> readFileHead(const QString& path, qint64 maxBytes) {
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without blocking, so a FIFO cannot hold the open until a writer comes; the type
    // is checked on what was opened, not on the name, which may change meanwhile.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return qt_error_string(errno);
    // O_NONBLOCK stays: it changes nothing for a regular file.
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return qt_error_string(error);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return notRegular();
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
#else
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        return notRegular();
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
#endif
    FileHead head;
    // A buffer of the file's size, not of the limit: the file is mostly a few lines.
    const qint64 expected = std::clamp<qint64>(file.size(), 0, maxBytes);
    head.bytes = file.read(expected + 1);
    if (head.bytes.size() > expected && head.bytes.size() <= maxBytes) // it grew meanwhile
        head.bytes += file.read(maxBytes + 1 - head.bytes.size());
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    head.whole = head.bytes.size() <= maxBytes;
    head.bytes.truncate(maxBytes);
    return head;
}

} // namespace zorvat
