// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_script.h"

#include <gtest/gtest.h>

using namespace zorvat::sim;
using namespace std::chrono_literals;

namespace {

TEST(SimScript, ReadsBytesWaitsGreetAttemptAndQuit) {
    const ScriptResult r = parseScript("# start of an attempt\n"
                                       "\n"
                                       "55\n"
                                       "  wait 250   # preparation\r\n"
                                       "0xAB\n"
                                       "BA 01 0x1 23 f\n"
                                       "greet\n"
                                       " attempt \n"
                                       "wait 0\n"
                                       "quit");
    ASSERT_EQ(r.error, "");
    const std::vector<ScriptCommand> expected = {
        SendBytes{{0x55}}, Wait{250ms},
        SendBytes{{0xAB}}, SendBytes{{0xBA, 0x01, 0x01, 0x23, 0x0F}},
        Greet{},           PlayAttempt{},
        Wait{0ms},         Quit{},
    };
    EXPECT_EQ(r.commands, expected);
}

TEST(SimScript, BlankAndCommentLinesGiveNothing) {
    for (const char* line : {"", "   ", "# AB", "\r"}) {
        const ScriptLineResult r = parseScriptLine(line, 1);
        EXPECT_FALSE(r.command.has_value()) << line;
        EXPECT_EQ(r.error, "") << line;
    }
}

TEST(SimScript, BadLinesAreReportedWithTheirNumber) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"AB\nXYZ\n", "line 2: bad byte 'XYZ'"},
        {"AB 1G\n", "line 1: bad byte '1G'"},
        {"\n\n0x\n", "line 3: bad byte '0x'"},
        {"ABC\n", "line 1: bad byte 'ABC'"},
        {"wait\n", "line 1: wait needs one number of milliseconds"},
        {"wait 1 2\n", "line 1: wait needs one number of milliseconds"},
        {"wait -5\n", "line 1: bad number of milliseconds '-5'"},
        {"wait 10ms\n", "line 1: bad number of milliseconds '10ms'"},
        {"wait 3600001\n", "line 1: bad number of milliseconds '3600001'"},
        {"# ok\ngreet now\n", "line 2: greet takes no arguments"},
        {"attempt 2\n", "line 1: attempt takes no arguments"},
        {"Quit\n", "line 1: bad byte 'Quit'"},
    };
    for (const auto& c : cases) {
        const ScriptResult r = parseScript(c.text);
        EXPECT_EQ(r.error, c.error) << c.text;
        EXPECT_TRUE(r.commands.empty()) << c.text;
    }
}

} // namespace
