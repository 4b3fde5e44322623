// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_text.h"

#include <QStringDecoder>

namespace zorvat {

QString decodeLocalText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1250("windows-1250", QStringDecoder::Flag::Stateless);
    if (cp1250.isValid())
        return cp1250(bytes);
    return QString::fromLatin1(bytes);
}

} // namespace zorvat
