// SPDX-License-Identifier: GPL-3.0-or-later
#include "time_text.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

using namespace zorvat;

namespace {

constexpr Edition D = Edition::Difference;
constexpr Edition Q = Edition::FourSplit;

struct FormCase {
    int verze;
    Edition edition;
    DeviceTime bytes;
    const char* hundredths;
    const char* thousandths;
    const char* output;
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.verze << (c.edition == D ? "D" : "Q") << " -> " << c.thousandths;
}

class TextForms : public ::testing::TestWithParam<FormCase> {};

// Both precisions are asked of the same bytes in turn: nothing may carry over between calls.
TEST_P(TextForms, DisplayAndOutput) {
    const FormCase c = GetParam();
    const TimeFormat f{c.verze, c.edition};
    EXPECT_EQ(CasToStr(c.bytes, false, f, Precision::Hundredths), QString::fromUtf8(c.hundredths));
    EXPECT_EQ(CasToStr(c.bytes, false, f, Precision::Thousandths),
              QString::fromUtf8(c.thousandths));
    EXPECT_EQ(CasToStr(c.bytes, false, f, Precision::Hundredths), QString::fromUtf8(c.hundredths));
    EXPECT_EQ(CasToStrOut(c.bytes, false, f), QString::fromUtf8(c.output));
}

INSTANTIATE_TEST_SUITE_P(
    Versions, TextForms,
    ::testing::Values(
        // The documented examples.
        FormCase{458, D, {0x01, 0x01, 0x23, 0x45}, "12,34", "12,345", "12,345"},
        FormCase{458, Q, {0x06, 0x00, 0x05, 0x07}, "0,50", "0,507", "0,507"},
        FormCase{468, Q, {0x00, 0x10, 0x00, 0x00}, "100,00", "100,000", "100,000"},
        FormCase{454, D, {0x10, 0x23, 0x45, 0x00}, "23,45", "23,450", "23,45"},
        FormCase{462, D, {0x25, 0x07, 0x89, 0x00}, "507,89", "507,890", "507,89"},
        FormCase{463, Q, {0x31, 0x02, 0x05, 0x00}, "102,05", "102,050", "102,05"},
        FormCase{456, D, {0x01, 0x05, 0x12, 0x03}, "105,12", "105,123", "105,123"},
        FormCase{457, Q, {0x00, 0x12, 0x34, 0x00}, "12,34", "12,340", "12,34"},
        // All zero bytes: output decimals follow the version.
        FormCase{466, D, {0, 0, 0, 0}, "0,00", "0,000", "0,000"},
        FormCase{456, Q, {0, 0, 0, 0}, "0,00", "0,000", "0,000"},
        FormCase{454, D, {0, 0, 0, 0}, "0,00", "0,000", "0,00"},
        // Whole-byte layout: a zero high nibble of byte 2 is dropped, a zero low one kept.
        FormCase{467, Q, {0x00, 0x05, 0x00, 0x00}, "50,00", "50,000", "50,000"},
        FormCase{467, D, {0x00, 0x50, 0x00, 0x00}, "500,00", "500,000", "500,000"},
        // Nibble layout: hundreds digit with a zero tens digit.
        FormCase{454, Q, {0x01, 0x05, 0x12, 0x00}, "105,12", "105,120", "105,12"},
        FormCase{463, D, {0x71, 0x05, 0x12, 0x00}, "105,12", "105,120", "105,12"},
        // Nibbles 10..15 are written as their decimal value.
        FormCase{458, D, {0x00, 0xAB, 0xCD, 0xEF}, "101112,1314", "101112,131415", "101112,131415"},
        FormCase{454, Q, {0x0A, 0xBC, 0xDE, 0x0F}, "101112,1314", "101112,131415", "101112,1314"},
        // 469 is a whole-byte version in the difference edition only; byte 4 of the nibble
        // layout is a plain number (0x45 = 69).
        FormCase{469, D, {0x01, 0x01, 0x23, 0x45}, "12,34", "12,345", "12,345"},
        FormCase{469, Q, {0x01, 0x01, 0x23, 0x45}, "101,23", "101,2369", "101,23"},
        FormCase{470, D, {0x00, 0x99, 0x99, 0x99}, "999,99", "999,999", "999,999"},
        // Unknown numbers take the nibble layout with two output decimals.
        FormCase{500, D, {0x10, 0x23, 0x45, 0x07}, "23,45", "23,457", "23,45"}));

struct LetterCase {
    int verze;
    Edition edition;
    DeviceTime bytes;
    Precision precision;
    const char* display;
    const char* output;
};

class WithLetter : public ::testing::TestWithParam<LetterCase> {};

TEST_P(WithLetter, LetterAndSpaceComeFirst) {
    const LetterCase c = GetParam();
    const TimeFormat f{c.verze, c.edition};
    EXPECT_EQ(CasToStr(c.bytes, true, f, c.precision), QString::fromUtf8(c.display));
    EXPECT_EQ(CasToStrOut(c.bytes, true, f), QString::fromUtf8(c.output));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, WithLetter,
    ::testing::Values(
        LetterCase{458, D, {0x01, 0x01, 0x23, 0x45}, Precision::Hundredths, "P 12,34", "P 12,345"},
        LetterCase{
            458, Q, {0x01, 0x01, 0x23, 0x45}, Precision::Thousandths, "P 12,345", "P 12,345"},
        LetterCase{458, D, {0x06, 0x00, 0x05, 0x07}, Precision::Hundredths, "1 0,50", "1 0,507"},
        LetterCase{454, Q, {0x10, 0x23, 0x45, 0x00}, Precision::Hundredths, "P 23,45", "P 23,45"},
        LetterCase{463, D, {0x31, 0x02, 0x05, 0x00}, Precision::Hundredths, "L 102,05", "L 102,05"},
        // Codes of 10 and above have no letter: the text starts with the space.
        LetterCase{467, D, {0x0C, 0x05, 0x00, 0x00}, Precision::Hundredths, " 50,00", " 50,000"},
        LetterCase{457, Q, {0xF0, 0x12, 0x34, 0x00}, Precision::Thousandths, " 12,340", " 12,34"},
        // Whole byte 0x31 = 49 has no letter, although its high nibble would be "L".
        LetterCase{466, D, {0x31, 0x00, 0x12, 0x30}, Precision::Hundredths, " 1,23", " 1,230"},
        LetterCase{
            469, Q, {0x91, 0x00, 0x12, 0x30}, Precision::Hundredths, "4 100,12", "4 100,12"}));

TEST(ChannelCode, LettersOfEveryCode) {
    const char* expected[] = {"L", "P", "1", "L", "P", "2", "1", "2", "3", "4"};
    for (int code = 0; code < 10; ++code)
        EXPECT_EQ(Decode_Terc(static_cast<std::uint8_t>(code)), QString::fromLatin1(expected[code]))
            << code;
    for (int code : {10, 15, 198, 255})
        EXPECT_TRUE(Decode_Terc(static_cast<std::uint8_t>(code)).isEmpty()) << code;
}

TEST(ChannelCode, WholeByteOrHighNibble) {
    const DeviceTime t{0xC6, 0x01, 0x23, 0x45};
    EXPECT_EQ(channelCode(t, {458, Q}), 0xC6);
    EXPECT_EQ(channelCode(t, {470, D}), 0xC6);
    EXPECT_EQ(channelCode(t, {470, Q}), 0x0C);
    EXPECT_EQ(channelCode(t, {454, D}), 0x0C);
}

struct PrevedCase {
    const char* text;
    std::array<qint32, 4> data_out;
    const char* error; // nullptr when the text converts
};

void PrintTo(const PrevedCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class PrevedCas : public ::testing::TestWithParam<PrevedCase> {};

TEST_P(PrevedCas, FillsAllFourIntegers) {
    const PrevedCase c = GetParam();
    const PrevedResult r = preved_cas(QString::fromUtf8(c.text));
    EXPECT_EQ(r.data_out, c.data_out);
    if (c.error)
        EXPECT_EQ(r.error, std::optional<QString>(QString::fromUtf8(c.error)));
    else
        EXPECT_EQ(r.error, std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    ResultTexts, PrevedCas,
    ::testing::Values(
        PrevedCase{"12,345L 13,002", {0, 12345, 2, 13002}, nullptr},
        PrevedCase{"23,45P 24,01", {1, 2345, 2, 2401}, nullptr},
        PrevedCase{"12,3451 13,000", {0, 12345, 2, 13000}, nullptr},
        PrevedCase{"3 45,678", {8, 45678, 0, 0}, nullptr},
        PrevedCase{"1 0,507", {6, 507, 0, 0}, nullptr},
        PrevedCase{"2 -0,5", {7, -5, 0, 0}, nullptr},
        // Track-shape head that is a letter: nothing set.
        PrevedCase{"L 12,34", {0, 0, 0, 0}, "'L' is not a valid integer value"},
        // No space: empty head.
        PrevedCase{"12,34", {0, 0, 0, 0}, "'' is not a valid integer value"},
        PrevedCase{"", {0, 0, 0, 0}, "'' is not a valid integer value"},
        // Failures further on keep what was set before.
        PrevedCase{
            "4 1,2,3", {9, 0, 0, 0}, "'12,3' is not a valid integer value"}, // first comma only
        PrevedCase{"3 4x,5", {8, 0, 0, 0}, "'4x5' is not a valid integer value"},
        PrevedCase{"23,4xP 24,01", {1, 0, 0, 0}, "'234x' is not a valid integer value"},
        PrevedCase{"23,45P 24,0x", {1, 2345, 2, 0}, "'240x' is not a valid integer value"},
        PrevedCase{"12,345L  13,002", {0, 12345, 2, 0}, "' 13002' is not a valid integer value"},
        PrevedCase{
            "12,345L 9999999,999", {0, 12345, 2, 0}, "'9999999999' is not a valid integer value"}));

TEST(StrToPrip, MinutesBeforeTheColon) {
    EXPECT_EQ(StrToPrip(QStringLiteral("5:00")), 5);
    EXPECT_EQ(StrToPrip(QStringLiteral("10:30")), 10);
    EXPECT_EQ(StrToPrip(QStringLiteral("07:00:15")), 7);
    EXPECT_EQ(StrToPrip(QStringLiteral("7")), 7); // no colon: the whole text
}

TEST(StrToPrip, OtherTextGivesZero) {
    EXPECT_EQ(StrToPrip(QString()), 0);
    EXPECT_EQ(StrToPrip(QStringLiteral("ab:00")), 0);
    EXPECT_EQ(StrToPrip(QStringLiteral(":30")), 0); // a leading colon is part of the number
    EXPECT_EQ(StrToPrip(QStringLiteral("5 min")), 0);
}

} // namespace
