// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_printers.h"
#include "sim_options.h"

#include <gtest/gtest.h>

using namespace zorvat::sim;

namespace {

TEST(SimOptions, DefaultsPlayVersion466OnAPseudoTerminal) {
    const OptionsResult r = parseOptions({});
    ASSERT_EQ(r.error, QString());
    EXPECT_EQ(r.options.greeting.version, 466);
    EXPECT_EQ(r.options.greeting.mode, 0x51);
    EXPECT_EQ(r.options.greeting.target, 0xA1);
    EXPECT_EQ(r.options.greeting.timeFlag, 0xAE);
    EXPECT_TRUE(r.options.greetOnOpen);
    EXPECT_TRUE(r.options.ttyPath.empty());
    EXPECT_TRUE(r.options.scriptPath.empty());
    EXPECT_FALSE(r.options.demo);
    EXPECT_FALSE(r.options.seed.has_value());
    EXPECT_EQ(r.options.pace.preparation, std::chrono::milliseconds(3000));
    EXPECT_EQ(r.options.pace.pause, std::chrono::milliseconds(5000));
    EXPECT_EQ(r.options.pace.speed, 1);
}

TEST(SimOptions, ReadsEveryOption) {
    const OptionsResult r =
        parseOptions({"--firmware", "458", "--mode", "0xdc", "--target", "A2", "--flag", "0XAC",
                      "--link", "/tmp/com1", "--script", "s.txt", "--on-now"});
    ASSERT_EQ(r.error, QString());
    EXPECT_EQ(r.options.greeting.version, 458);
    EXPECT_EQ(r.options.greeting.mode, 0xDC);
    EXPECT_EQ(r.options.greeting.target, 0xA2);
    EXPECT_EQ(r.options.greeting.timeFlag, 0xAC);
    EXPECT_EQ(r.options.linkPath, "/tmp/com1");
    EXPECT_EQ(r.options.scriptPath, "s.txt");
    EXPECT_FALSE(r.options.greetOnOpen);
}

TEST(SimOptions, ReadsTheAttemptOptions) {
    const OptionsResult r = parseOptions({"--demo", "--seed", "4294967295", "--preparation", "0",
                                          "--pause", "3600000", "--speed", "1000"});
    ASSERT_EQ(r.error, QString());
    EXPECT_TRUE(r.options.demo);
    EXPECT_EQ(r.options.seed, 4294967295u);
    EXPECT_EQ(r.options.pace.preparation, std::chrono::milliseconds(0));
    EXPECT_EQ(r.options.pace.pause, std::chrono::milliseconds(3'600'000));
    EXPECT_EQ(r.options.pace.speed, 1000);
}

TEST(SimOptions, DefaultTargetAndSwitchOnFollowVersionAndPort) {
    EXPECT_EQ(parseOptions({"--firmware", "467"}).options.greeting.target, 0x05);
    EXPECT_EQ(parseOptions({"--firmware", "467", "--target", "12"}).options.greeting.target, 0x12);
    const OptionsResult tty = parseOptions({"--tty", "/dev/ttyS0"});
    ASSERT_EQ(tty.error, QString());
    EXPECT_EQ(tty.options.ttyPath, "/dev/ttyS0");
    EXPECT_FALSE(tty.options.greetOnOpen);
}

TEST(SimOptions, InvalidArgumentsSayWhatIsWrong) {
    const struct {
        QStringList args;
        const char* mentions;
    } cases[] = {
        {{"--firmware", "455"}, "455"},
        {{"--firmware", "46x"}, "46x"},
        {{"--mode", "5G"}, "5G"},
        {{"--mode", "0x151"}, "0x151"},
        {{"--mode"}, "--mode"},
        {{"--mode", "50"}, "50"},
        {{"--target", "A3"}, "A3"},
        {{"--firmware", "467", "--target", "A1"}, "A1"},
        {{"--flag", "AD"}, "AD"},
        {{"--script", ""}, "--script"},
        {{"--tty", "/dev/ttyS0", "--link", "/tmp/com1"}, "--link"},
        {{"--tty", "/dev/ttyS0", "--on-open"}, "--on-open"},
        {{"--on-open", "--on-now"}, "--on-now"},
        {{"--bogus"}, "bogus"},
        {{"stray"}, "stray"},
        {{"--version", "458"}, "458"},
        {{"--firmware", "4294967762"}, "4294967762"},
        {{"--seed", "-1"}, "'-1'"},
        {{"--seed", "4294967296"}, "4294967296"},
        {{"--seed"}, "--seed"},
        {{"--speed", "0"}, "from 1 to 1000"},
        {{"--speed", "1001"}, "1001"},
        {{"--preparation", "3600001"}, "3600001"},
        {{"--pause", "5s"}, "5s"},
    };
    for (const auto& c : cases) {
        const OptionsResult r = parseOptions(c.args);
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        EXPECT_TRUE(r.error.contains(QLatin1String(c.mentions))) << r.error.toStdString();
    }
}

} // namespace
