#include "bitmap/packed_dib.h"

#include "bitmap/bmp_layout.h"
#include "support/bitmap_fixtures.h"

#include <gtest/gtest.h>

namespace qx::bitmap {
namespace {

TEST(CreateDibFromBitmap, InfoHeaderForEveryDepth)
{
    struct Case {
        int bitsPerPixel;
        int bitCount;
        std::size_t colours;
    };
    const Case cases[] = {{4, 4, 16}, {8, 8, 256}, {16, 24, 0}, {24, 24, 0}, {32, 24, 0}};
    for (const Case& c : cases) {
        const Bitmap image = test::ScreenshotLike(37, 5, c.bitsPerPixel, 1);
        const auto dib = CreateDibFromBitmap(image, {});
        ASSERT_TRUE(dib) << c.bitsPerPixel;
        const std::span<const std::uint8_t> d(*dib);
        const std::uint32_t sizeImage = (37u * c.bitCount + 31) / 32 * 4 * 5;
        EXPECT_EQ(GetLe32(d, kOffInfoSize), 40u);
        EXPECT_EQ(GetLe32(d, kOffWidth), 37u);
        EXPECT_EQ(GetLe32(d, kOffHeight), 5u);
        EXPECT_EQ(GetLe16(d, kOffPlanes), 1u);
        EXPECT_EQ(GetLe16(d, kOffBitCount), c.bitCount);
        EXPECT_EQ(GetLe32(d, kOffCompression), 0u);
        EXPECT_EQ(GetLe32(d, kOffSizeImage), sizeImage);
        for (std::size_t offset : {kOffXPelsPerMeter, kOffYPelsPerMeter, kOffClrUsed, kOffClrImportant}) {
            EXPECT_EQ(GetLe32(d, offset), 0u);
        }
        EXPECT_EQ(dib->size(), 40 + 4 * c.colours + sizeImage);
    }
}

TEST(CreateDibFromBitmap, RowsBottomFirstWithTheImagesColours)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        Bitmap image = bits == 1 ? MakeBitmap(13, 4, 1) : test::Noise(13, 4, bits, 7);
        if (bits == 1) {
            image.palette = {Rgb{10, 20, 30}, Rgb{200, 210, 220}};
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 13; ++x)
                    if ((x + y) % 3 == 0) image.Row(y)[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        const auto dib = CreateDibFromBitmap(image, {});
        ASSERT_TRUE(dib) << bits;
        const auto back = DibToBitmap(*dib);
        ASSERT_TRUE(back) << bits;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 13; ++x) {
                const Rgb expected = bits == 1 ? image.palette[(x + y) % 3 == 0 ? 1 : 0] : PixelColor(image, x, y);
                ASSERT_EQ(PixelColor(*back, x, y), expected) << bits << " at " << x << "," << y;
            }
        }
    }
}

TEST(CreateDibFromBitmap, TopRowIsStoredLast)
{
    Bitmap image = MakeBitmap(2, 2, 24);
    SetPixelColor(image, 0, 0, Rgb{1, 2, 3});
    SetPixelColor(image, 0, 1, Rgb{4, 5, 6});
    const auto dib = CreateDibFromBitmap(image, {});
    ASSERT_TRUE(dib);
    // Rows of 6 bytes padded to 8: the bottom row first.
    const std::uint8_t* pixels = dib->data() + 40;
    EXPECT_EQ(std::vector<std::uint8_t>(pixels, pixels + 3), (std::vector<std::uint8_t>{6, 5, 4}));
    EXPECT_EQ(std::vector<std::uint8_t>(pixels + 8, pixels + 11), (std::vector<std::uint8_t>{3, 2, 1}));
}

TEST(CreateDibFromBitmap, DisplayPaletteGivesTheColoursOfTheIndicesItCovers)
{
    Bitmap image = MakeBitmap(3, 1, 8);
    image.palette[0] = Rgb{1, 1, 1};
    image.palette[1] = Rgb{2, 2, 2};
    image.palette[2] = Rgb{3, 3, 3};
    image.Row(0)[0] = 0, image.Row(0)[1] = 1, image.Row(0)[2] = 2;
    const std::vector<Rgb> display = {Rgb{9, 9, 9}, Rgb{8, 8, 8}};
    const auto back = DibToBitmap(*CreateDibFromBitmap(image, display));
    ASSERT_TRUE(back);
    EXPECT_EQ(PixelColor(*back, 0, 0), (Rgb{9, 9, 9}));
    EXPECT_EQ(PixelColor(*back, 1, 0), (Rgb{8, 8, 8}));
    EXPECT_EQ(PixelColor(*back, 2, 0), (Rgb{3, 3, 3}));
    // True-colour images keep their own colours.
    Bitmap rgb = MakeBitmap(1, 1, 32);
    SetPixelColor(rgb, 0, 0, Rgb{40, 50, 60});
    EXPECT_EQ(PixelColor(*DibToBitmap(*CreateDibFromBitmap(rgb, display)), 0, 0), (Rgb{40, 50, 60}));
}

TEST(DibToBitmap, RefusesMalformedBlocks)
{
    const PackedDib good = *CreateDibFromBitmap(test::Noise(5, 3, 8, 2), {});
    ASSERT_TRUE(DibToBitmap(good));
    const auto with = [&](std::size_t offset, std::uint32_t value, bool sixteen = false) {
        PackedDib d = good;
        if (sixteen) {
            PutLe16(d, offset, static_cast<std::uint16_t>(value));
        } else {
            PutLe32(d, offset, value);
        }
        return d;
    };
    PackedDib shortBlock = good;
    shortBlock.pop_back();
    const PackedDib bad[] = {
        PackedDib(39, 0),
        shortBlock,
        with(kOffInfoSize, 12),
        with(kOffWidth, 0),
        with(kOffHeight, 0xFFFFFFFD), // top-down
        with(kOffPlanes, 2, true),
        with(kOffBitCount, 16, true),
        with(kOffCompression, 1),
        with(kOffClrUsed, 0xFFFFFFFF),
    };
    for (const PackedDib& d : bad) EXPECT_FALSE(DibToBitmap(d));
    // A shorter colour table moves the pixels up.
    PackedDib fewer = with(kOffClrUsed, 16);
    EXPECT_TRUE(DibToBitmap(fewer));
}

} // namespace
} // namespace qx::bitmap
