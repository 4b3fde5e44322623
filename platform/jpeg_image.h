// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

namespace zorvat {

// Decodes a colour or grayscale JPEG to an RGB888 image.
// Corrupt, truncated or empty data gives a null image; nothing is printed.
QImage decodeJpeg(const QByteArray& data);

} // namespace zorvat
