// SPDX-License-Identifier: GPL-3.0-or-later
#include "intro_picture.h"
#include "jpeg_image.h"

#include <QColor>
#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace zorvat {
namespace {

// 16 x 8, one grey channel: left half black, right half white. Made with
// convert -size 16x8 xc:black -fill white -draw "rectangle 8,0 15,7" -colorspace Gray
//         -type Grayscale -strip -define jpeg:optimize-coding=true -quality 90 gray.jpg
constexpr unsigned char kGrayJpg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00,
    0x01, 0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x03, 0x02, 0x02, 0x03, 0x02,
    0x02, 0x03, 0x03, 0x03, 0x03, 0x04, 0x03, 0x03, 0x04, 0x05, 0x08, 0x05, 0x05, 0x04, 0x04,
    0x05, 0x0a, 0x07, 0x07, 0x06, 0x08, 0x0c, 0x0a, 0x0c, 0x0c, 0x0b, 0x0a, 0x0b, 0x0b, 0x0d,
    0x0e, 0x12, 0x10, 0x0d, 0x0e, 0x11, 0x0e, 0x0b, 0x0b, 0x10, 0x16, 0x10, 0x11, 0x13, 0x14,
    0x15, 0x15, 0x15, 0x0c, 0x0f, 0x17, 0x18, 0x16, 0x14, 0x18, 0x12, 0x14, 0x15, 0x14, 0xff,
    0xc0, 0x00, 0x0b, 0x08, 0x00, 0x08, 0x00, 0x10, 0x01, 0x01, 0x11, 0x00, 0xff, 0xc4, 0x00,
    0x15, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x09, 0x0a, 0xff, 0xc4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xda, 0x00,
    0x08, 0x01, 0x01, 0x00, 0x00, 0x3f, 0x00, 0x2a, 0x95, 0x50, 0xff, 0xd9};

QByteArray grayJpeg() {
    return QByteArray(reinterpret_cast<const char*>(kGrayJpg), sizeof kGrayJpg);
}

// Allows for JPEG's lossy edges; a swapped channel order is far outside it.
void expectColour(const QImage& image, QPoint at, QColor expected) {
    const QColor actual = image.pixelColor(at);
    const int tolerance = 40;
    EXPECT_NEAR(actual.red(), expected.red(), tolerance) << "at " << at.x() << "," << at.y();
    EXPECT_NEAR(actual.green(), expected.green(), tolerance) << "at " << at.x() << "," << at.y();
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance) << "at " << at.x() << "," << at.y();
}

TEST(DecodeJpeg, EmbeddedIntroHasItsDrawnSizeAndColours) {
    const QImage image = decodeJpeg(introJpeg());

    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(435, 136));
    // Points of make_intro.sh's drawing: background, hose stripe, target "L" centre and ring.
    expectColour(image, {4, 4}, QColor(0x15, 0x15, 0x15));
    expectColour(image, {100, 125}, QColor(0xd8, 0x26, 0x2b));
    expectColour(image, {338, 52}, QColor(0xd8, 0x26, 0x2b));
    expectColour(image, {352, 52}, QColor(0xf4, 0xf4, 0xf4));
}

TEST(DecodeJpeg, GrayscaleComesOutAsRgb) {
    const QImage image = decodeJpeg(grayJpeg());

    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(16, 8));
    expectColour(image, {2, 4}, Qt::black);
    expectColour(image, {13, 4}, Qt::white);
}

struct BadInput {
    const char* name;
    std::function<QByteArray()> make;
};

void PrintTo(const BadInput& input, std::ostream* os) {
    *os << input.name;
}

QByteArray randomBytes(int count, QByteArray prefix = {}) {
    std::mt19937 generator(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    while (prefix.size() < count)
        prefix.append(static_cast<char>(byte(generator)));
    return prefix;
}

QByteArray introUpToScanData() {
    const QByteArray intro = introJpeg();
    return intro.left(intro.indexOf("\xff\xda"));
}

class DecodeJpegBadInput : public testing::TestWithParam<BadInput> {};

// Truncated data decodes partly with only a warning from libjpeg; we reject it like any corruption.
TEST_P(DecodeJpegBadInput, GivesNullImageSilently) {
    const QByteArray data = GetParam().make();

    testing::internal::CaptureStderr();
    const QImage image = decodeJpeg(data);
    const std::string printed = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(image.isNull());
    EXPECT_EQ(printed, "");
}

INSTANTIATE_TEST_SUITE_P(
    Corrupt, DecodeJpegBadInput,
    testing::Values(
        BadInput{"Empty", [] { return QByteArray(); }},
        BadInput{"RandomBytes", [] { return randomBytes(4096); }},
        BadInput{"StartMarkerThenRandomBytes", [] { return randomBytes(4096, "\xff\xd8"); }},
        BadInput{"HeadersWithoutScan", introUpToScanData},
        BadInput{"IntroCutInHalf", [] { return introJpeg().left(introJpeg().size() / 2); }}),
    [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

} // namespace
} // namespace zorvat
