// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvat {

// "Obnoveno 12 výsledků z předchozího běhu", with the Czech plural forms for 1 and 2 to 4.
QString restoredResultsText(int count);

} // namespace zorvat
