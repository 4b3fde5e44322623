// SPDX-License-Identifier: GPL-3.0-or-later
#include "clipboard_text.h"
#include "qt_printers.h"
#include "restored_text.h"
#include "running_time.h"
#include "split_time.h"

#include <gtest/gtest.h>

using namespace zorvat;

TEST(RunningTime, TextRules) {
    struct {
        qint64 ms;
        const char* thousandths;
        const char* hundredths;
    } cases[] = {
        {0, "0,000", "0,00"},
        {7, "0,007", "0,00"},
        {9, "0,009", "0,00"},
        {10, "0,010", "0,01"},
        {99, "0,099", "0,09"},
        {100, "0,100", "0,10"},
        {1999, "1,999", "1,99"},
        {12345, "12,345", "12,34"},
        {59999, "59,999", "59,99"},
        {123450, "123,450", "123,45"},
        {999999, "999,999", "999,99"},
        // A clock that stepped back shows no time rather than a minus sign after the comma.
        {-5, "0,000", "0,00"},
        {-2000, "0,000", "0,00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(runningTimeText(c.ms, false).toStdString(), c.thousandths);
        EXPECT_EQ(runningTimeText(c.ms, true).toStdString(), c.hundredths);
    }
    for (int v : {454, 462, 463})
        EXPECT_TRUE(runsInHundredthsOnly(v));
    for (int v : {456, 457, 458, 466, 467, 468, 469, 470})
        EXPECT_FALSE(runsInHundredthsOnly(v));
}

TEST(SplitTime, RoundsTiesToEvenAndFormats) {
    struct {
        qint64 ms;
        int unit;
        qint32 value;
        const char* text;
    } cases[] = {
        {10004, 100, 1000, "10,00"}, {15204, 100, 1520, "15,20"}, {31049, 100, 3105, "31,05"},
        {1500, 1000, 1500, "1,500"}, {2250, 1000, 2250, "2,250"}, {4125, 1000, 4125, "4,125"},
        {50, 1000, 50, "0,050"},     {50, 100, 5, "0,05"},        {12347, 100, 1235, "12,35"},
        {15, 100, 2, "0,02"},        {25, 100, 2, "0,02"},        {35, 100, 4, "0,04"},
        {5004, 1000, 5004, "5,004"}, {5000, 100, 500, "5,00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitValue(c.ms, c.unit), c.value) << c.ms;
        EXPECT_EQ(splitText(c.value, c.unit).toStdString(), c.text) << c.ms;
    }
    EXPECT_EQ(splitText(3105 - 1520, 100), QStringLiteral("15,85"));
}

TEST(ClipboardText, FourLayouts) {
    const std::array<QString, 4> splits{QStringLiteral("10,00"), QStringLiteral("15,20"),
                                        QStringLiteral("31,05"), QStringLiteral("15,85")};
    const std::array<QString, 4> none{};
    const std::array<QString, 4> two{QStringLiteral("1,00"), QStringLiteral("2,00"), {}, {}};
    using L = ClipboardLayout;
    struct {
        const char* entry;
        const std::array<QString, 4>* splits;
        L layout;
        const char* text;
    } cases[] = {
        {"12,34L 13,00", nullptr, L::FirstWithLetterThenSecond, "12,34L\t13,00"},
        {"12,34L 13,00", nullptr, L::LeftThenRight, "12,34\t13,00"},
        {"12,34P 13,00", nullptr, L::LeftThenRight, "13,00\t12,34"},
        {"12,34L 13,00", &splits, L::FirstWithLetterThenSecond,
         "10,00\t15,20\t31,05\t15,85\t12,34L\t13,00"},
        {"12,34L 13,00", &none, L::FirstWithLetterThenSecond, "\t\t\t\t12,34L\t13,00"},
        {"12,34L 13,00", &splits, L::LeftThenRight, "10,00\t15,20\t31,05\t15,85\t12,34\t13,00"},
        {"1 23,45", &two, L::FirstWithLetterThenSecond, "1,00\t2,00\t\t\t1\t23,45"},
        {"1 23,45", nullptr, L::LeftThenRight, "\t23,45"},
        {"P 23,45", nullptr, L::LeftThenRight, "23,45\t"},
        {" 23,45", nullptr, L::LeftThenRight, "\t23,45"},
        {"noSpace", nullptr, L::LeftThenRight, "noSpac\t"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clipboardText(QString::fromUtf8(c.entry), c.splits, c.layout).toStdString(),
                  c.text)
            << c.entry;
}

TEST(RestoredResults, CzechPluralForms) {
    const std::pair<int, const char*> cases[] = {
        {1, "Obnoven 1 výsledek z předchozího běhu"},
        {2, "Obnoveny 2 výsledky z předchozího běhu"},
        {4, "Obnoveny 4 výsledky z předchozího běhu"},
        {5, "Obnoveno 5 výsledků z předchozího běhu"},
        {12, "Obnoveno 12 výsledků z předchozího běhu"},
        {22, "Obnoveno 22 výsledků z předchozího běhu"},
    };
    for (const auto& [count, text] : cases)
        EXPECT_EQ(restoredResultsText(count), QString::fromUtf8(text));
}
