// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_settings.h"

#include "course.h"
#include "time_text.h"
#include "version_table.h"

namespace zorvat {

namespace {

std::optional<QString> targetCaption(std::uint8_t target) {
    if (target == 0xA1)
        return QStringLiteral("rozepínací");
    if (target == 0xA2)
        return QStringLiteral("spínací");
    return std::nullopt;
}

std::optional<QString> timeFlagCaption(std::uint8_t flag) {
    if (flag == 0xAE)
        return QStringLiteral("čas: ano");
    if (flag == 0xAC)
        return QStringLiteral("čas: ne");
    return std::nullopt;
}

} // namespace

QString preparationCaption(int minutes, int seconds) {
    return QString::number(minutes) + QLatin1Char(':') +
           (seconds ? QStringLiteral("30") : QStringLiteral("00"));
}

Preparation preparationOf(const QString& caption) {
    const int colon = caption.indexOf(QLatin1Char(':'));
    return {StrToPrip(caption), caption.mid(colon + 1, 1) == QLatin1String("3") ? 30 : 0};
}

DeviceSettingsView decodeDeviceSettings(const SettingsBytes& nast, int verze, Edition edition) {
    const std::uint8_t mode = nast[0];
    const std::uint8_t target = nast[1];
    DeviceSettingsView v;
    v.timeFlagShown = isNewGreetingVersion(verze, edition);
    if (v.timeFlagShown)
        v.timeFlag = timeFlagCaption(nast[2]);
    v.course = courseCaption(mode & 0x0F);
    // 467 carries the minutes as two BCD digits in the target byte; digits above 9 are
    // taken as they come (0xA2 gives 102 minutes).
    v.pripravaM = verze == 467 ? 10 * (target >> 4) + (target & 0x0F) : (mode >> 4) & 0x07;
    v.pripravaS = (mode & 0x80) ? 30 : 0;
    v.preparation = preparationCaption(v.pripravaM, v.pripravaS);
    v.targets = targetCaption(target);
    return v;
}

} // namespace zorvat
