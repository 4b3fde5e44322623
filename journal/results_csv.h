// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal_reader.h"

#include <QByteArray>
#include <vector>

namespace zorvat {

// The results list for Czech spreadsheets: UTF-8 with a byte-order mark, semicolons between
// fields, CRLF line ends, a header row, then one row per entry: the attempt's start, the entry
// text, the message numbers and the four splits with their captions. Times keep their decimal
// commas; a field with a semicolon, a quote or a line break is quoted.
QByteArray resultsCsv(const std::vector<ResultRow>& rows);

} // namespace zorvat
