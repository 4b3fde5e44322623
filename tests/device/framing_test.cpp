// SPDX-License-Identifier: GPL-3.0-or-later
#include "course.h"
#include "framing.h"

#include <gtest/gtest.h>
#include <vector>

using namespace zorvat;

namespace {

struct Seen {
    Framing::Kind kind;
    int index;
    bool last;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> frame(std::initializer_list<std::uint8_t> bytes, std::uint8_t settings = 1,
                        std::uint8_t time = 4) {
    Framing f;
    std::vector<Seen> out;
    for (std::uint8_t b : bytes) {
        const auto r = f.feed(b, settings, time);
        out.push_back({r.kind, r.index, r.last});
    }
    return out;
}

constexpr auto C = Framing::Kind::Command;
constexpr auto S = Framing::Kind::SettingsData;
constexpr auto T = Framing::Kind::TimeData;

} // namespace

TEST(Framing, CommandsAnnounceTheirDataBytes) {
    EXPECT_EQ(frame({0x5A, 0x0C, 0xAB}),
              (std::vector<Seen>{{C, 0, false}, {S, 1, true}, {C, 0, false}}));
    EXPECT_EQ(frame({0x5A, 0xD1, 0x07, 0xAA}, 2),
              (std::vector<Seen>{{C, 0, false}, {S, 1, false}, {S, 2, true}, {C, 0, false}}));
    EXPECT_EQ(frame({0xBA, 1, 2, 3, 0x55}, 1, 3),
              (std::vector<Seen>{
                  {C, 0, false}, {T, 1, false}, {T, 2, false}, {T, 3, true}, {C, 0, false}}));
}

TEST(Framing, CommandValuesInsideDataAreData) {
    EXPECT_EQ(frame({0xBA, 0x5A, 0xBA, 0xAB, 0xAA, 0xAB}), (std::vector<Seen>{{C, 0, false},
                                                                              {T, 1, false},
                                                                              {T, 2, false},
                                                                              {T, 3, false},
                                                                              {T, 4, true},
                                                                              {C, 0, false}}));
}

TEST(Framing, StateMatchesTheProtocolFields) {
    Framing f;
    f.feed(0xBA, 1, 4);
    EXPECT_TRUE(f.prik_data);
    EXPECT_EQ(f.inPrikaz, 0xBA);
    EXPECT_EQ(f.pocetByte, 4);
    f.feed(0x01, 1, 4);
    EXPECT_EQ(f.bytu, 1);
    // A time command waits for its data as long as it takes.
    for (int i = 0; i < 3; ++i)
        f.feed(0x00, 1, 4);
    EXPECT_FALSE(f.prik_data);
    EXPECT_EQ(f.bytu, 0);
}

TEST(Framing, AnyStreamStaysWithinTheSlots) {
    // Every index handed out fits the four bytes of a slot or the settings bytes.
    Framing f;
    std::uint32_t x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245 + 12345;
        const auto r =
            f.feed(static_cast<std::uint8_t>(x >> 16), (x >> 8) & 1 ? 2 : 1, (x >> 9) & 1 ? 4 : 3);
        const int limit = r.kind == Framing::Kind::SettingsData ? 2 : 4;
        ASSERT_LE(r.index, limit);
    }
}

TEST(Course, ModeFromTheCourseCaption) {
    EXPECT_EQ(courseModeOf(QStringLiteral("Jeden útok")), CourseMode::OneAttack);
    EXPECT_EQ(courseModeOf(QStringLiteral("Dva útoky")), CourseMode::TwoAttacks);
    EXPECT_EQ(courseModeOf(QStringLiteral("jeden útok")), CourseMode::Track);
    EXPECT_EQ(courseModeOf(QStringLiteral("Tři dráhy")), CourseMode::Track);
}

TEST(Course, TargetStateText) {
    struct {
        std::uint8_t nibble;
        CourseMode mode;
        const char* text;
    } cases[] = {
        {0x5, CourseMode::TwoAttacks, "L    L    "}, {0x6, CourseMode::Track, "   2 3    "},
        {0x0, CourseMode::Track, "            "},    {0x0, CourseMode::OneAttack, "              "},
        {0xF, CourseMode::OneAttack, "L P L P "},    {0xF, CourseMode::Track, "1 2 3 4 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(targetStateText(c.nibble, c.mode).toStdString(), c.text) << int(c.nibble);
}

TEST(Course, SlotCountStaysWithinFourSlots) {
    const int expected[8] = {1, 1, 2, 3, 4, 4, 4, 4};
    for (int count = 0; count < 8; ++count) {
        EXPECT_EQ(slotCount(static_cast<std::uint8_t>(0xF8 | count)), expected[count]);
    }
}

TEST(Course, FeatureTexts) {
    EXPECT_EQ(featureText(0xA3), QStringLiteral(" první nebliká, "));
    EXPECT_EQ(featureText(0xA9), QStringLiteral(" 2. ř. běží"));
    EXPECT_EQ(featureText(0xAF), QStringLiteral(" LED terč - 4, "));
    EXPECT_FALSE(featureText(0xA5));
    EXPECT_FALSE(featureText(0xAA));
}
