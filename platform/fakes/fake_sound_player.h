// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound_player.h"

#include <QString>
#include <utility>
#include <vector>

namespace zorvat {

class FakeSoundPlayer final : public SoundPlayer {
public:
    std::vector<std::pair<QString, bool>> played; // file, synchronous
    void playSync(const QString& file) override { played.emplace_back(file, true); }
    void playAsync(const QString& file) override { played.emplace_back(file, false); }
};

} // namespace zorvat
