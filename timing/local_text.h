// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace zorvat {

// Text from files that other programs or older installations wrote: UTF-8 when it is valid
// UTF-8, otherwise windows-1250 (the Czech Windows code page), or Latin-1 when this Qt has no
// converter for that code page (it needs ICU) and the system has none either (Windows has).
QString decodeLocalText(const QByteArray& bytes);

} // namespace zorvat
