// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "run_record.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace zorvat {

// A broken oracle is a finding: the message goes to standard error and the process aborts,
// which the fuzzer reports and the corpus replay fails on.
void fuzzCheck(bool ok, const char* what, const QString& detail = {});

// The labels that double as state hold one of their table texts or their initial text.
// Arguments: lblDraha, lblPriprava, lblTerce, lblNCas and the board's four time labels.
void checkStateLabels(const QString& draha, const QString& priprava, const QString& terce,
                      const QString& ncas, const std::array<QString, 4>& boardTimes);

// New results-list entries against the result messages (1491, 1492) sent since the last
// check: each entry has its messages, in order, and their numbers are the entry's text
// converted (the list shows the display form, the companion gets the output form, so a time
// may have a digit more or less).
void checkEntriesAgainstMessages(const QStringList& newEntries,
                                 const std::vector<std::array<std::int32_t, 3>>& newMessages);

// A track attempt's completion: as many entries as the attempt has times, lblCas showing the
// last time and lblCasD the one before (empty for a single time).
void checkTrackCompletion(const QStringList& entries, int timeCount, const QString& cas,
                          const QString& casD);

// The same input with the device bytes paced differently gave the same record.
void checkSameRecord(const RunRecord& a, const RunRecord& b, const char* pacing);

} // namespace zorvat
