// The reader of the support tools refuses what it cannot read and never
// reads outside the file, whatever the damage.
#include "bitmap/bmp_layout.h"
#include "bitmap/bmp_reader.h"
#include "bitmap/bmp_test_util.h"
#include "support/bitmap_fixtures.h"
#include "support/test_seed.h"

#include <gtest/gtest.h>

#include <random>

namespace qx::bitmap {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BmpReader, SizeFieldTellsWhereTheBitmapEnds)
{
    Bytes file = test::BitmapFileBytes(test::Noise(5, 5, 24, 1));
    const std::size_t length = file.size();
    file.insert(file.end(), {'\r', '\n', 't', 'e', 'x', 't'});
    EXPECT_EQ(BitmapFileLength(file), length);
    EXPECT_FALSE(BitmapFileLength(std::span(file).first(length - 1)));
    EXPECT_FALSE(BitmapFileLength(Bytes{'B', 'M'}));
    Bytes notBm = file;
    notBm[0] = 'X';
    EXPECT_FALSE(BitmapFileLength(notBm));
}

struct Damage {
    const char* name;
    ReadError expected;
    void (*apply)(Bytes&);
};

TEST(BmpReader, DamagedFilesAreRefused)
{
    const Damage cases[] = {
        {"not BM", ReadError::NotBitmap, [](Bytes& f) { f[1] = 'X'; }},
        {"bfSize beyond the file", ReadError::NotBitmap, [](Bytes& f) { PutLe32(f, kOffFileSize, static_cast<std::uint32_t>(f.size() + 1)); }},
        {"bfOffBits beyond bfSize", ReadError::NotBitmap, [](Bytes& f) { PutLe32(f, kOffPixelOffset, 0xFFFFFF00u); }},
        {"biSize not 40", ReadError::NotBitmap, [](Bytes& f) { PutLe32(f, kFileHeaderSize + kOffInfoSize, 108); }},
        {"32 bits", ReadError::Unsupported, [](Bytes& f) { PutLe16(f, kFileHeaderSize + kOffBitCount, 32); }},
        {"top-down", ReadError::Unsupported, [](Bytes& f) { PutLe32(f, kFileHeaderSize + kOffHeight, static_cast<std::uint32_t>(-5)); }},
        {"huge", ReadError::Unsupported, [](Bytes& f) { PutLe32(f, kFileHeaderSize + kOffWidth, 1u << 20); PutLe32(f, kFileHeaderSize + kOffHeight, 1u << 20); }},
        {"wider than its data", ReadError::Damaged, [](Bytes& f) { PutLe32(f, kFileHeaderSize + kOffWidth, 6); }},
        {"biSizeImage beyond the file", ReadError::Damaged, [](Bytes& f) { PutLe32(f, kFileHeaderSize + kOffSizeImage, 1u << 30); }},
    };
    for (const Damage& d : cases) {
        Bytes file = test::BitmapFileBytes(test::Noise(5, 5, 24, 1));
        d.apply(file);
        EXPECT_EQ(ReadBmpFile(file).error, d.expected) << d.name;
    }
}

TEST(BmpReader, DamagedRunCodesAreRefused)
{
    const Bytes good = test::BitmapFileBytes(test::RunPattern(8, 2, 8, 8));
    const std::size_t data = 1078;
    ASSERT_EQ(Bytes(good.begin() + data, good.end()), (Bytes{8, good[data + 1], 0, 0, 8, good[data + 5], 0, 1}));
    struct Case {
        const char* name;
        Bytes codes;
    };
    const Case cases[] = {
        {"run past the row", {9, 1, 0, 1}},
        {"rows past the image", {8, 1, 0, 0, 8, 1, 0, 0, 8, 1, 0, 1}},
        {"no end of bitmap", {8, 1, 0, 0, 8, 1}},
        {"absolute run past the data", {0, 8, 1, 2}},
        {"delta out of the image", {0, 2, 200, 0, 1, 1, 0, 1}},
    };
    for (const Case& c : cases) {
        Bytes file(good.begin(), good.begin() + data);
        file.insert(file.end(), c.codes.begin(), c.codes.end());
        PutLe32(file, kOffFileSize, static_cast<std::uint32_t>(file.size()));
        PutLe32(file, kFileHeaderSize + kOffSizeImage, static_cast<std::uint32_t>(c.codes.size()));
        EXPECT_EQ(ReadBmpFile(file).error, ReadError::Damaged) << c.name;
    }
}

TEST(BmpReader, SurvivesCutAndMutatedFiles)
{
    const std::uint32_t seed = test::TestSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (const int bpp : {4, 8, 24}) {
        const Bytes good = test::BitmapFileBytes(test::ScreenshotLike(60, 30, bpp, 3));
        for (std::size_t cut = 0; cut < good.size(); cut += 7) ReadBmpFile(std::span(good).first(cut));
        for (int i = 0; i < 3000; ++i) {
            Bytes file = good;
            for (int e = 1 + static_cast<int>(rng() % 6); e > 0; --e) file[rng() % file.size()] = static_cast<std::uint8_t>(rng());
            const ReadResult r = ReadBmpFile(file);
            if (r.error == ReadError::None) {
                EXPECT_EQ(r.image.rgb.size(), static_cast<std::size_t>(r.image.width) * r.image.height * 3);
            }
        }
    }
}

} // namespace
} // namespace qx::bitmap
