// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_text.h"

#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zorvat {

namespace {

QString fromCp1250WithoutConverter(const QByteArray& bytes) {
#ifdef Q_OS_WIN
    // Qt has no converter for the code page without ICU, but Windows has; one byte is one
    // character there.
    QString text(bytes.size(), Qt::Uninitialized);
    const int n =
        MultiByteToWideChar(1250, 0, bytes.constData(), static_cast<int>(bytes.size()),
                            reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.truncate(n);
    return text;
#else
    return QString::fromLatin1(bytes);
#endif
}

} // namespace

QString decodeLocalText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1250("windows-1250", QStringDecoder::Flag::Stateless);
    if (cp1250.isValid())
        return cp1250(bytes);
    return fromCp1250WithoutConverter(bytes);
}

} // namespace zorvat
