// SPDX-License-Identifier: GPL-3.0-or-later
#include "restored_text.h"

namespace zorvat {

QString restoredResultsText(int count) {
    const char* form = "Obnoveno %1 výsledků z předchozího běhu";
    if (count == 1)
        form = "Obnoven %1 výsledek z předchozího běhu";
    else if (count >= 2 && count <= 4)
        form = "Obnoveny %1 výsledky z předchozího běhu";
    return QString::fromUtf8(form).arg(count);
}

} // namespace zorvat
