// SPDX-License-Identifier: GPL-3.0-or-later
#include "intro_picture.h"

namespace zorvat {

namespace {

constexpr unsigned char kIntroJpg[] = {
#include "intro_jpg_bytes.inc"
};

} // namespace

QByteArray introJpeg() {
    // The array lives for the whole run, so the bytes need not be copied.
    return QByteArray::fromRawData(reinterpret_cast<const char*>(kIntroJpg), sizeof kIntroJpg);
}

} // namespace zorvat
