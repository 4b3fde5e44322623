// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace zorvat {

// The JPEG shown at the top of the main window (435 x 136), compiled into the binary.
QByteArray introJpeg();

} // namespace zorvat
