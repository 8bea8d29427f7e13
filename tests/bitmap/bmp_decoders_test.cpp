// Every bitmap file decodes, pixel for pixel, with PIL and with ImageMagick,
// and with our own reader.
#include "bitmap/bmp_cases.h"
#include "bitmap/bmp_reader.h"
#include "bitmap/bmp_test_util.h"
#include "support/image_decoders.h"
#include "support/scratch_dir.h"
#include "support/test_seed.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace qx::test {
namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ExpectDecodersAgree(const Bitmap& bitmap, const std::string& label)
{
    ScratchDir dir;
    const std::string path = dir.File("screen.bmp");
    ASSERT_TRUE(WriteBitmapFile(bitmap, path)) << label;
    const std::vector<std::uint8_t> expected = ExpectedRgb(bitmap);

    const DecodedPixels pil = DecodeWithPil(path);
    ASSERT_TRUE(pil.ok) << label << ": PIL: " << pil.diagnostics;
    EXPECT_EQ(pil.width, bitmap.width) << label;
    EXPECT_EQ(pil.height, bitmap.height) << label;
    EXPECT_TRUE(pil.rgb == expected) << label << ": PIL pixels differ";

    const DecodedPixels magick = DecodeWithImageMagick(path);
    ASSERT_TRUE(magick.ok) << label << ": ImageMagick: " << magick.diagnostics;
    EXPECT_EQ(magick.width, bitmap.width) << label;
    EXPECT_EQ(magick.height, bitmap.height) << label;
    EXPECT_TRUE(magick.rgb == expected) << label << ": ImageMagick pixels differ";

    const bitmap::ReadResult ours = bitmap::ReadBmpFile(ReadFile(path));
    ASSERT_EQ(ours.error, bitmap::ReadError::None) << label;
    EXPECT_EQ(ours.image.width, bitmap.width);
    EXPECT_EQ(ours.image.height, bitmap.height);
    EXPECT_TRUE(ours.image.rgb == expected) << label << ": our reader's pixels differ";
}

class StandardDecoders : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(StandardDecoders, ReadEveryPixel)
{
    ExpectDecodersAgree(GetParam().bitmap, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Images, StandardDecoders, ::testing::ValuesIn(BitmapCases()),
                         [](const ::testing::TestParamInfo<BitmapCase>& info) { return info.param.name; });

TEST(StandardDecodersRandom, ReadRandomImages)
{
    const std::uint32_t seed = TestSeed();
    std::mt19937 rng(seed);
    const int depths[] = {4, 8, 16, 24, 32};
    for (int i = 0; i < 6; ++i) {
        const int width = 1 + static_cast<int>(rng() % 700), height = 1 + static_cast<int>(rng() % 40);
        const int bpp = depths[rng() % 5];
        const Bitmap b = rng() % 2 ? Noise(width, height, bpp, rng()) : ScreenshotLike(width, height, bpp, rng());
        ExpectDecodersAgree(b, "seed " + std::to_string(seed) + " image " + std::to_string(i));
    }
}

} // namespace
} // namespace qx::test
