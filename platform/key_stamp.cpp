// SPDX-License-Identifier: GPL-3.0-or-later
#include "key_stamp.h"

#include "clock.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace zorvat {

namespace {

constexpr quint32 kLongestBelievedDelayMs = 60'000;

} // namespace

std::optional<qint64> keyPressMoment(quint64 eventStamp, qint64 nowMs) {
    const auto delay =
        static_cast<quint32>(static_cast<quint32>(nowMs) - static_cast<quint32>(eventStamp));
    if (delay > kLongestBelievedDelayMs)
        return std::nullopt;
    return nowMs - delay;
}

std::optional<qint64> keyPressMoment(const QKeyEvent& event, const Clock& clock) {
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland"))
        return std::nullopt;
    return keyPressMoment(event.timestamp(), clock.monotonicMs());
}

} // namespace zorvat
