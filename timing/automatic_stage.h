// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace zorvat {

// The automatic start's button caption is its stage: each press moves it one stage on.
enum class AutomaticStage { Ready, Warned, Started };

QString automaticStageText(AutomaticStage stage);
// The stage a caption stands for; none for any other text.
std::optional<AutomaticStage> automaticStageOf(const QString& caption);

} // namespace zorvat
