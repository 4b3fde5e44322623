// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_settings.h"

#include <gtest/gtest.h>

using namespace zorvat;

namespace {

struct SettingsCase {
    SettingsBytes nast;
    int verze;
    Edition edition;
    const char* course; // nullptr: label unchanged
    const char* preparation;
    const char* targets;
    bool flagShown;
    const char* flag;
    int count;
    bool attack;
};

QString orNull(const std::optional<QString>& s) {
    return s ? *s : QStringLiteral("<unchanged>");
}
QString orNull(const char* s) {
    return s ? QString::fromUtf8(s) : QStringLiteral("<unchanged>");
}

} // namespace

class DeviceSettings : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(DeviceSettings, Decode) {
    const SettingsCase c = GetParam();
    const DeviceSettingsView v = decodeDeviceSettings(c.nast, c.verze, c.edition);
    EXPECT_EQ(orNull(v.course), orNull(c.course));
    EXPECT_EQ(v.preparation, QString::fromUtf8(c.preparation));
    EXPECT_EQ(orNull(v.targets), orNull(c.targets));
    EXPECT_EQ(v.timeFlagShown, c.flagShown);
    EXPECT_EQ(orNull(v.timeFlag), orNull(c.flag));
    EXPECT_EQ(timeCount(c.nast[0]), c.count);
    EXPECT_EQ(attackFlag(c.nast[0]), c.attack);
}

constexpr Edition D = Edition::Difference;
constexpr Edition Q = Edition::FourSplit;

INSTANTIATE_TEST_SUITE_P(
    Table, DeviceSettings,
    ::testing::Values(
        SettingsCase{{0x51, 0xA1, 0x00},
                     454,
                     D,
                     "Jedna dráha",
                     "5:00",
                     "rozepínací",
                     false,
                     nullptr,
                     1,
                     false},
        SettingsCase{
            {0xDC, 0xA2, 0xAE}, 466, D, "Dva útoky", "5:30", "spínací", true, "čas: ano", 4, true},
        SettingsCase{
            {0x0A, 0x00, 0xAC}, 468, Q, "Jeden útok", "0:00", nullptr, true, "čas: ne", 2, true},
        SettingsCase{
            {0x07, 0xA1, 0x00}, 466, D, nullptr, "0:00", "rozepínací", true, nullptr, 7, false},
        SettingsCase{
            {0x22, 0xA2, 0xAE}, 454, D, "Dvě dráhy", "2:00", "spínací", false, nullptr, 2, false},
        SettingsCase{{0x73, 0xA1, 0xAE},
                     470,
                     Q,
                     "Tři dráhy",
                     "7:00",
                     "rozepínací",
                     false,
                     nullptr,
                     3,
                     false},
        SettingsCase{{0x74, 0xA1, 0xAE},
                     470,
                     D,
                     "Čtyři dráhy",
                     "7:00",
                     "rozepínací",
                     true,
                     "čas: ano",
                     4,
                     false},
        // 467: minutes in BCD in the target byte, bits 4-6 of the mode byte unused.
        SettingsCase{
            {0x81, 0x12, 0x00}, 467, D, "Jedna dráha", "12:30", nullptr, true, nullptr, 1, false},
        SettingsCase{
            {0xD1, 0x07, 0x00}, 467, Q, "Jedna dráha", "7:30", nullptr, true, nullptr, 1, false},
        SettingsCase{{0x01, 0xA2, 0x00},
                     467,
                     D,
                     "Jedna dráha",
                     "102:00",
                     "spínací",
                     true,
                     nullptr,
                     1,
                     false},
        SettingsCase{
            {0x0C, 0x00, 0x00}, 466, D, "Dva útoky", "0:00", nullptr, true, nullptr, 4, true}));

TEST(OlderGreeting, SwapsModeNibblesAndSetsTargetBits) {
    struct {
        SettingsBytes line, stored;
    } cases[] = {
        {{0x15, 0x01, 0x00}, {0x51, 0xA1, 0x00}},
        {{0xCD, 0x02, 0xAE}, {0xDC, 0xA2, 0xAE}},
        {{0x00, 0xFF, 0x12}, {0x00, 0xFF, 0x12}},
    };
    for (auto c : cases) {
        convertOlderGreeting(c.line);
        EXPECT_EQ(c.line, c.stored);
    }
}
