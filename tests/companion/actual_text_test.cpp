// SPDX-License-Identifier: GPL-3.0-or-later
#include "actual_text.h"

#include <gtest/gtest.h>

namespace zorvat {
namespace {

TEST(ActualText, TwoLinesWithoutControlCharacters) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool whole;
        QString team, movingText;
    } cases[] = {
        {"CR LF", "SDH Zorvatice\r\nVítejte\r\nrest\r\n", true, "SDH Zorvatice", "Vítejte"},
        {"one line", "SDH", true, "SDH", ""},
        {"empty", "", true, "", ""},
        {"controls",
         "a\tb\x01"
         "c\x7f\r\n\x1b[1mX\rY",
         true, "abc", "[1mXY"},
        {"C1 control", "a\xc2\x85z\n", true, "az", ""},
        // A cut inside "ň" would make the text invalid UTF-8 and so windows-1250.
        {"cut after a line", "Kůň\nText\nKůň\xc5", false, "Kůň", "Text"},
        {"cut without a line break", "Kůň", false, "Kůň", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ActualText text = actualText(c.bytes, c.whole);
        EXPECT_EQ(text.team.toStdString(), c.team.toStdString());
        EXPECT_EQ(text.movingText.toStdString(), c.movingText.toStdString());
    }
}

} // namespace
} // namespace zorvat
