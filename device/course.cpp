// SPDX-License-Identifier: GPL-3.0-or-later
#include "course.h"

#include "settings_bytes.h"

#include <algorithm>
#include <array>

namespace zorvat {

namespace {

struct Course {
    std::uint8_t code;
    const char* caption;
    CourseMode mode;
};

constexpr std::array<Course, 6> kCourses{{
    {1, "Jedna dráha", CourseMode::Track},
    {2, "Dvě dráhy", CourseMode::Track},
    {3, "Tři dráhy", CourseMode::Track},
    {4, "Čtyři dráhy", CourseMode::Track},
    {10, "Jeden útok", CourseMode::OneAttack},
    {12, "Dva útoky", CourseMode::TwoAttacks},
}};

} // namespace

std::optional<QString> courseCaption(std::uint8_t code) {
    for (const Course& c : kCourses)
        if (c.code == code)
            return QString::fromUtf8(c.caption);
    return std::nullopt;
}

// Any other caption (the label's initial text among them) counts as tracks.
CourseMode courseModeOf(const QString& drahaCaption) {
    // Asked with every time byte, so the captions are converted once.
    static const std::array<QString, kCourses.size()> captions = [] {
        std::array<QString, kCourses.size()> texts;
        std::ranges::transform(kCourses, texts.begin(),
                               [](const Course& c) { return QString::fromUtf8(c.caption); });
        return texts;
    }();
    for (std::size_t i = 0; i < kCourses.size(); ++i)
        if (drahaCaption == captions[i])
            return kCourses[i].mode;
    return CourseMode::Track;
}

QString targetStateText(std::uint8_t nibble, CourseMode mode) {
    static const char* const attack[4][2] = {
        {"    ", "L "}, {"   ", "P "}, {"    ", "L "}, {"   ", "P "}};
    static const char* const track[4][2] = {
        {"   ", "1 "}, {"   ", "2 "}, {"   ", "3 "}, {"   ", "4 "}};
    const auto& table = mode == CourseMode::Track ? track : attack;
    QString text;
    for (int bit = 0; bit < 4; ++bit)
        text += QLatin1String(table[bit][(nibble >> bit) & 1]);
    return text;
}

std::optional<QString> featureText(std::uint8_t b) {
    switch (b) {
    case 0xA3:
        return QStringLiteral(" první nebliká, ");
    case 0xA4:
        return QStringLiteral(" první bliká, ");
    case 0xA6:
        return QStringLiteral(" Info L/P, C, ");
    case 0xA7:
        return QStringLiteral(" Info L, P, ");
    case 0xA8:
        return QStringLiteral(" 2. ř. neběží");
    case 0xA9:
        return QStringLiteral(" 2. ř. běží");
    case 0xAD:
        return QStringLiteral(" LED terč - 2, ");
    case 0xAF:
        return QStringLiteral(" LED terč - 4, ");
    default:
        return std::nullopt;
    }
}

int slotCount(std::uint8_t mode) {
    return std::clamp(timeCount(mode), 1, 4);
}

} // namespace zorvat
