// SPDX-License-Identifier: GPL-3.0-or-later
#include "automatic_stage.h"

#include <array>

namespace zorvat {

namespace {

constexpr std::array<const char*, 3> kCaptions{"Automatický start", "Pozor!!!", "Odstartováno!!!"};

} // namespace

QString automaticStageText(AutomaticStage stage) {
    return QString::fromUtf8(kCaptions[static_cast<std::size_t>(stage)]);
}

std::optional<AutomaticStage> automaticStageOf(const QString& caption) {
    for (std::size_t i = 0; i < kCaptions.size(); ++i)
        if (caption == QString::fromUtf8(kCaptions[i]))
            return static_cast<AutomaticStage>(i);
    return std::nullopt;
}

} // namespace zorvat
