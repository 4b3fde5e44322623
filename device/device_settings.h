// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edition.h"
#include "settings_bytes.h"

#include <QString>
#include <optional>

namespace zorvat {

// What the settings bytes say, as the time panel shows it. An empty optional means "the
// label keeps the caption it has".
struct DeviceSettingsView {
    bool timeFlagShown = false;
    std::optional<QString> timeFlag; // lblNCas
    std::optional<QString> course;   // lblDraha
    int pripravaM = 0;
    int pripravaS = 0;
    QString preparation;            // lblPriprava, e.g. "5:30"
    std::optional<QString> targets; // lblTerce
};

// The preparation label's caption, "5:30", and the time it stands for.
struct Preparation {
    int minutes = 0;
    int seconds = 0;
};
QString preparationCaption(int minutes, int seconds);
Preparation preparationOf(const QString& caption);

DeviceSettingsView decodeDeviceSettings(const SettingsBytes& nast, int verze, Edition edition);

} // namespace zorvat
