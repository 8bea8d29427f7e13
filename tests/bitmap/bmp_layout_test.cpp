// Every header field of the bitmap file, the colour tables, the pieces the
// pixel data is written in, and the bitmaps that have no file format.
#include "bitmap/bmp_image.h"
#include "bitmap/bmp_layout.h"
#include "bitmap/bmp_test_util.h"
#include "bitmap/packed_dib.h"
#include "support/bitmap_fixtures.h"

#include <gtest/gtest.h>

namespace qx::bitmap {
namespace {

using test::BitmapFileBytes;

std::uint32_t Field32(const std::vector<std::uint8_t>& f, std::size_t offset) { return GetLe32(f, offset); }
std::uint16_t Field16(const std::vector<std::uint8_t>& f, std::size_t offset) { return GetLe16(f, offset); }
std::uint32_t Info32(const std::vector<std::uint8_t>& f, std::size_t offset) { return GetLe32(f, kFileHeaderSize + offset); }
std::uint16_t Info16(const std::vector<std::uint8_t>& f, std::size_t offset) { return GetLe16(f, kFileHeaderSize + offset); }

Rgb TableEntry(const std::vector<std::uint8_t>& f, int index)
{
    const std::size_t at = kFileHeaderSize + kInfoHeaderSize + static_cast<std::size_t>(index) * kColourEntrySize;
    EXPECT_EQ(f[at + 3], 0) << "entry " << index;
    return Rgb{f[at + 2], f[at + 1], f[at]};
}

void ExpectZeroFields(const std::vector<std::uint8_t>& f)
{
    EXPECT_EQ(Field16(f, kOffReserved1), 0);
    EXPECT_EQ(Field16(f, kOffReserved2), 0);
    EXPECT_EQ(Info32(f, kOffXPelsPerMeter), 0u);
    EXPECT_EQ(Info32(f, kOffYPelsPerMeter), 0u);
    EXPECT_EQ(Info32(f, kOffClrUsed), 0u);
    EXPECT_EQ(Info32(f, kOffClrImportant), 0u);
}

struct TrueColourCase {
    int width;
    int height;
    int bitsPerPixel;
    std::uint32_t rowSize;
};

class TrueColourLayout : public ::testing::TestWithParam<TrueColourCase> {};

TEST_P(TrueColourLayout, IsA24BitFileWithPaddedRows)
{
    const TrueColourCase c = GetParam();
    const Bitmap bitmap = test::Noise(c.width, c.height, c.bitsPerPixel, 7);
    const std::vector<std::uint8_t> f = BitmapFileBytes(bitmap);
    const std::uint32_t sizeImage = c.rowSize * static_cast<std::uint32_t>(c.height);
    ASSERT_EQ(f.size(), 54u + sizeImage);
    EXPECT_EQ(Field16(f, kOffType), 0x4D42);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Field32(f, kOffFileSize), 54u + sizeImage);
    EXPECT_EQ(Field32(f, kOffPixelOffset), 54u);
    EXPECT_EQ(Info32(f, kOffInfoSize), 40u);
    EXPECT_EQ(Info32(f, kOffWidth), static_cast<std::uint32_t>(c.width));
    EXPECT_EQ(Info32(f, kOffHeight), static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(Info16(f, kOffPlanes), 1);
    EXPECT_EQ(Info16(f, kOffBitCount), 24);
    EXPECT_EQ(Info32(f, kOffCompression), 0u);
    EXPECT_EQ(Info32(f, kOffSizeImage), sizeImage);
    ExpectZeroFields(f);

    // Bottom row first, blue green red, padding zero.
    for (int y = 0; y < c.height; ++y) {
        const std::size_t row = 54 + static_cast<std::size_t>(c.height - 1 - y) * c.rowSize;
        for (int x = 0; x < c.width; x += std::max(1, c.width / 7)) {
            const Rgb p = PixelColor(bitmap, x, y);
            ASSERT_EQ((Rgb{f[row + 3 * x + 2], f[row + 3 * x + 1], f[row + 3 * x]}), p) << x << "," << y;
        }
        for (std::size_t pad = 3 * static_cast<std::size_t>(c.width); pad < c.rowSize; ++pad) ASSERT_EQ(f[row + pad], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, TrueColourLayout,
                         ::testing::Values(TrueColourCase{1024, 768, 32, 3072}, TrueColourCase{1024, 768, 24, 3072},
                                           TrueColourCase{1024, 768, 16, 3072}, TrueColourCase{799, 5, 24, 2400},
                                           TrueColourCase{799, 5, 32, 2400}, TrueColourCase{1, 1, 24, 4},
                                           TrueColourCase{2, 3, 16, 8}, TrueColourCase{3, 2, 32, 12}));

TEST(BmpLayout, Screen1024x768Has2359296PixelBytes)
{
    const std::vector<std::uint8_t> f = BitmapFileBytes(MakeBitmap(1024, 768, 32));
    EXPECT_EQ(Info32(f, kOffSizeImage), 2359296u);
    EXPECT_EQ(Field32(f, kOffFileSize), 2359350u);
    EXPECT_EQ(Field32(f, kOffPixelOffset), 54u);
}

TEST(BmpLayout, TwoHundredFiftySixColoursAreRunLengthEncodedAfterATable)
{
    const Bitmap bitmap = test::ScreenshotLike(1024, 768, 8, 1);
    const std::vector<std::uint8_t> f = BitmapFileBytes(bitmap);
    ASSERT_GT(f.size(), 1078u);
    const std::uint32_t encoded = static_cast<std::uint32_t>(f.size() - 1078);
    EXPECT_EQ(Field32(f, kOffPixelOffset), 1078u);
    EXPECT_EQ(Field32(f, kOffFileSize), 1078u + encoded);
    EXPECT_EQ(Info32(f, kOffSizeImage), encoded);
    EXPECT_LT(encoded, 1024u * 768u);
    EXPECT_EQ(Info16(f, kOffBitCount), 8);
    EXPECT_EQ(Info32(f, kOffCompression), 1u);
    EXPECT_EQ(Info16(f, kOffPlanes), 1);
    ExpectZeroFields(f);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(TableEntry(f, i), bitmap.palette[static_cast<std::size_t>(i)]) << i;
}

TEST(BmpLayout, SixteenColoursAreRunLengthEncodedAfterATable)
{
    const Bitmap bitmap = test::ScreenshotLike(640, 480, 4, 2);
    const std::vector<std::uint8_t> f = BitmapFileBytes(bitmap);
    ASSERT_GT(f.size(), 118u);
    EXPECT_EQ(Field32(f, kOffPixelOffset), 118u);
    EXPECT_EQ(Field32(f, kOffFileSize), f.size());
    EXPECT_EQ(Info32(f, kOffSizeImage), f.size() - 118);
    EXPECT_EQ(Info16(f, kOffBitCount), 4);
    EXPECT_EQ(Info32(f, kOffCompression), 2u);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(TableEntry(f, i), bitmap.palette[static_cast<std::size_t>(i)]) << i;
}

TEST(BmpLayout, ShortPalettesLeaveThePresetInTheRestOfTheTable)
{
    Bitmap sixteen = test::RunPattern(40, 4, 4, 8);
    sixteen.palette.resize(5);
    const std::vector<std::uint8_t> f16 = BitmapFileBytes(sixteen);
    for (int i = 0; i < 16; ++i) {
        const Rgb expected = i < 5 ? sixteen.palette[static_cast<std::size_t>(i)] : SixteenColourTable()[static_cast<std::size_t>(i)];
        EXPECT_EQ(TableEntry(f16, i), expected) << i;
    }
    EXPECT_EQ(SixteenColourTable()[1], (Rgb{128, 0, 0}));
    EXPECT_EQ(SixteenColourTable()[7], (Rgb{128, 128, 128}));
    EXPECT_EQ(SixteenColourTable()[8], (Rgb{192, 192, 192}));
    EXPECT_EQ(SixteenColourTable()[12], (Rgb{0, 0, 255}));

    Bitmap many = test::RunPattern(40, 4, 8, 8);
    many.palette.resize(10);
    const std::vector<std::uint8_t> f256 = BitmapFileBytes(many);
    for (int i = 0; i < 256; ++i) {
        const Rgb expected = i < 10 ? many.palette[static_cast<std::size_t>(i)] : DefaultDevicePalette()[static_cast<std::size_t>(i)];
        EXPECT_EQ(TableEntry(f256, i), expected) << i;
    }
}

TEST(BmpLayout, PixelDataGoesOutInPiecesOf4096Bytes)
{
    for (const int width : {1024, 1365}) {
        std::vector<std::size_t> writes;
        const std::vector<std::uint8_t> f = BitmapFileBytes(test::Noise(width, 9, 24, 3), &writes);
        const std::size_t pixels = f.size() - 54;
        ASSERT_GE(writes.size(), 3u);
        EXPECT_EQ(writes[0], 14u);
        EXPECT_EQ(writes[1], 40u);
        std::size_t sum = 0;
        for (std::size_t i = 2; i < writes.size(); ++i) {
            sum += writes[i];
            if (i + 1 < writes.size()) {
                EXPECT_EQ(writes[i], 4096u);
            }
            EXPECT_GE(writes[i], 1u);
            EXPECT_LE(writes[i], 4096u);
        }
        EXPECT_EQ(sum, pixels);
    }
    std::vector<std::size_t> writes;
    BitmapFileBytes(test::RunPattern(64, 4, 8, 4), &writes);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[1], 40u + 1024u);
}

struct Refused {
    const char* name;
    Bitmap bitmap;
    bool packedDibTakesIt = false;
};

// Both writers read their source through the same row check; only the
// packed bitmap has a format for one bit per pixel.
TEST(BitmapWriters, RefuseBitmapsWithoutAFormat)
{
    Bitmap twoPlanes = MakeBitmap(8, 8, 4);
    twoPlanes.planes = 2;
    Bitmap shortRows = MakeBitmap(8, 8, 24);
    shortRows.stride = 20;
    Bitmap shortBits = MakeBitmap(8, 8, 24);
    shortBits.bits.resize(100);
    const Refused cases[] = {
        {"monochrome", MakeBitmap(8, 8, 1), true},
        {"2 bits", MakeBitmap(8, 8, 2)},
        {"two planes", twoPlanes},
        {"short rows", shortRows},
        {"short bits", shortBits},
        {"empty", Bitmap{}},
        {"too big for 32 bits", [] {
             Bitmap b;
             b.width = 70000, b.height = 70000, b.bitsPerPixel = 8, b.stride = 70000;
             b.bits.resize(1);
             return b;
         }()},
    };
    for (const Refused& c : cases) {
        EXPECT_FALSE(BuildBmpImage(c.bitmap, DefaultDevicePalette())) << c.name;
        EXPECT_EQ(CreateDibFromBitmap(c.bitmap, {}).has_value(), c.packedDibTakesIt) << c.name;
    }
}

} // namespace
} // namespace qx::bitmap
