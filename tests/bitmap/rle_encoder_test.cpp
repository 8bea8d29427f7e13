// The run-length codes by the format's definition: every code on a 16-bit
// boundary, absolute runs of at least three pixels padded with zero, rows of
// exactly the width (4-bit absolute runs even, for Pillow 9.4), an
// end-of-line after every row but the last and an
// end-of-bitmap after that; exact codes for small rows; compact screenshots.
#include "bitmap/bmp_cases.h"
#include "bitmap/rle_encoder.h"

#include <gtest/gtest.h>

namespace qx::bitmap {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Indices(const Bitmap& b)
{
    Bytes out;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            out.push_back(b.bitsPerPixel == 8 ? b.Row(y)[x] : (x % 2 == 0 ? b.Row(y)[x / 2] >> 4 : b.Row(y)[x / 2] & 0x0F));
    return out;
}

// Walks the codes and checks them against the definition; returns the
// decoded indices (top row first) when the stream is valid.
::testing::AssertionResult DecodesStrictly(Rle mode, int width, int height, const Bytes& codes, const Bytes& expected)
{
    Bytes decoded(expected.size(), 0xEE);
    std::size_t pos = 0;
    for (int row = 0; row < height; ++row) {
        int x = 0;
        const int y = height - 1 - row;
        while (true) {
            if (pos % 2 != 0) return ::testing::AssertionFailure() << "code at odd offset " << pos;
            if (pos + 2 > codes.size()) return ::testing::AssertionFailure() << "stream ends inside row " << row;
            const std::uint8_t a = codes[pos], b = codes[pos + 1];
            pos += 2;
            if (a > 0) {
                if (x + a > width) return ::testing::AssertionFailure() << "encoded run past the row end at " << pos;
                for (int i = 0; i < a; ++i, ++x)
                    decoded[static_cast<std::size_t>(y) * width + x] = mode == Rle::Rle8 ? b : (i % 2 == 0 ? b >> 4 : b & 0x0F);
                continue;
            }
            if (b == 0 || b == 1) {
                if (x != width) return ::testing::AssertionFailure() << "row " << row << " holds " << x << " pixels";
                const bool last = row == height - 1;
                if (last != (b == 1)) return ::testing::AssertionFailure() << "wrong end code after row " << row;
                break;
            }
            if (b == 2) return ::testing::AssertionFailure() << "unexpected delta";
            const std::size_t bytes = mode == Rle::Rle8 ? b : (b + 1u) / 2;
            const std::size_t padded = bytes + bytes % 2;
            if (pos + padded > codes.size() || x + b > width) return ::testing::AssertionFailure() << "absolute run too long";
            for (int i = 0; i < b; ++i, ++x) {
                const std::uint8_t byte = codes[pos + (mode == Rle::Rle8 ? i : i / 2)];
                decoded[static_cast<std::size_t>(y) * width + x] = mode == Rle::Rle8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0x0F);
            }
            if (mode == Rle::Rle4 && b % 2 == 1) return ::testing::AssertionFailure() << "odd 4-bit absolute run (Pillow 9.4)";
            if (padded != bytes && codes[pos + bytes] != 0) return ::testing::AssertionFailure() << "pad byte not zero";
            pos += padded;
        }
    }
    if (pos != codes.size()) return ::testing::AssertionFailure() << (codes.size() - pos) << " bytes after end-of-bitmap";
    if (decoded != expected) return ::testing::AssertionFailure() << "pixels differ";
    return ::testing::AssertionSuccess();
}

class RleCodes : public ::testing::TestWithParam<test::BitmapCase> {};

TEST_P(RleCodes, FollowTheDefinition)
{
    const Bitmap& b = GetParam().bitmap;
    if (b.bitsPerPixel > 8) GTEST_SKIP() << "true colour";
    const Rle mode = b.bitsPerPixel == 8 ? Rle::Rle8 : Rle::Rle4;
    const Bytes indices = Indices(b);
    EXPECT_TRUE(DecodesStrictly(mode, b.width, b.height, EncodeRle(mode, b.width, b.height, indices), indices));
}

INSTANTIATE_TEST_SUITE_P(Images, RleCodes, ::testing::ValuesIn(test::BitmapCases()),
                         [](const ::testing::TestParamInfo<test::BitmapCase>& info) { return info.param.name; });

struct ExactCase {
    const char* name;
    Rle mode;
    Bytes row;
    Bytes codes;
};

TEST(RleCodes, SmallRowsGiveTheseCodes)
{
    const ExactCase cases[] = {
        {"one run", Rle::Rle8, {9, 9, 9, 9, 9}, {5, 9, 0, 1}},
        {"absolute, odd, padded", Rle::Rle8, {1, 2, 3}, {0, 3, 1, 2, 3, 0, 0, 1}},
        {"absolute, even", Rle::Rle8, {1, 2, 3, 4}, {0, 4, 1, 2, 3, 4, 0, 1}},
        {"two single pixels", Rle::Rle8, {1, 2}, {1, 1, 1, 2, 0, 1}},
        {"pair", Rle::Rle8, {7, 7}, {2, 7, 0, 1}},
        {"literal then run", Rle::Rle8, {1, 2, 3, 5, 5, 5, 5}, {0, 3, 1, 2, 3, 0, 4, 5, 0, 1}},
        {"alternating pair", Rle::Rle4, {1, 2, 1, 2, 1, 2, 1}, {7, 0x12, 0, 1}},
        {"one colour", Rle::Rle4, {4, 4, 4, 4, 4, 4}, {6, 0x44, 0, 1}},
        {"odd literal: a pair and a single pixel", Rle::Rle4, {1, 2, 3}, {2, 0x12, 1, 0x30, 0, 1}},
        {"odd literal: even absolute run, padded", Rle::Rle4, {1, 2, 3, 4, 5, 6, 7}, {0, 6, 0x12, 0x34, 0x56, 0, 1, 0x70, 0, 1}},
        {"absolute, two bytes", Rle::Rle4, {1, 2, 3, 4}, {0, 4, 0x12, 0x34, 0, 1}},
        {"short", Rle::Rle4, {5, 6}, {2, 0x56, 0, 1}},
        {"single", Rle::Rle4, {5}, {1, 0x50, 0, 1}},
    };
    for (const ExactCase& c : cases) {
        EXPECT_EQ(EncodeRle(c.mode, static_cast<int>(c.row.size()), 1, c.row), c.codes) << c.name;
    }
}

TEST(RleCodes, RowsEndWithEndOfLineAndTheLastWithEndOfBitmap)
{
    const Bytes two_rows = {3, 3, 3, 4, 4, 4};
    EXPECT_EQ(EncodeRle(Rle::Rle8, 3, 2, two_rows), (Bytes{3, 4, 0, 0, 3, 3, 0, 1}));
}

TEST(RleCodes, LongRunsAreSplitAt255)
{
    const Bytes row(600, 6);
    EXPECT_EQ(EncodeRle(Rle::Rle8, 600, 1, row), (Bytes{255, 6, 255, 6, 90, 6, 0, 1}));
    EXPECT_EQ(EncodeRle(Rle::Rle4, 600, 1, row), (Bytes{255, 0x66, 255, 0x66, 90, 0x66, 0, 1}));
}

TEST(RleCodes, ScreenshotsBecomeSmall)
{
    for (const int bpp : {4, 8}) {
        const Bitmap b = test::ScreenshotLike(1920, 1080, bpp, 21);
        const Rle mode = bpp == 8 ? Rle::Rle8 : Rle::Rle4;
        const std::size_t uncompressed = static_cast<std::size_t>(1920) * bpp / 8 * 1080;
        const std::size_t encoded = EncodeRle(mode, b.width, b.height, Indices(b)).size();
        std::printf("%d bpp: %zu of %zu bytes (%.1f %%)\n", bpp, encoded, uncompressed, 100.0 * encoded / uncompressed);
        EXPECT_LT(encoded * 10, uncompressed) << bpp << " bpp";
    }
}

TEST(RleCodes, NoiseGrowsOnlyByTheCodes)
{
    const Bitmap b = test::Noise(1000, 50, 8, 22);
    const std::size_t encoded = EncodeRle(Rle::Rle8, b.width, b.height, Indices(b)).size();
    // Absolute runs of 255 pixels: 2 code bytes and at most 1 pad byte per run, 2 per row end.
    EXPECT_LE(encoded, 1000u * 50u + 50u * (4 * 3 + 2) + 50u * 8u);
}

} // namespace
} // namespace qx::bitmap
