#include "support/bitmap_fixtures.h"

#include <algorithm>
#include <random>

namespace qx::test {
namespace {

// Sets pixel (x, y) to palette index or colour number `value`: an index for
// indexed bitmaps, a colour of the distinct palette otherwise.
void Put(Bitmap& b, int x, int y, int value)
{
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return;
    std::uint8_t* row = b.Row(y);
    if (b.bitsPerPixel == 8) {
        row[x] = static_cast<std::uint8_t>(value);
    } else if (b.bitsPerPixel == 4) {
        std::uint8_t& byte = row[x / 2];
        const auto index = static_cast<std::uint8_t>(value & 0x0F);
        byte = x % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | (index << 4))
                          : static_cast<std::uint8_t>((byte & 0xF0) | index);
    } else {
        static const std::vector<Rgb> colours = DistinctPalette(256);
        SetPixelColor(b, x, y, colours[static_cast<std::size_t>(value) % colours.size()]);
    }
}

Bitmap Blank(int width, int height, int bitsPerPixel)
{
    Bitmap b = MakeBitmap(width, height, bitsPerPixel);
    if (bitsPerPixel <= 8) b.palette = DistinctPalette(1 << bitsPerPixel);
    return b;
}

void FillRect(Bitmap& b, int x0, int y0, int w, int h, int value)
{
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) Put(b, x, y, value);
}

} // namespace

std::vector<Rgb> DistinctPalette(int entries)
{
    std::vector<Rgb> palette;
    for (int i = 0; i < entries; ++i) {
        palette.push_back(Rgb{static_cast<std::uint8_t>((i * 37) & 0xFF), static_cast<std::uint8_t>((i * 101 + 13) & 0xFF),
                              static_cast<std::uint8_t>(i)});
    }
    return palette;
}

Bitmap ScreenshotLike(int width, int height, int bitsPerPixel, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    const int colours = bitsPerPixel == 4 ? 16 : 256;
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    Bitmap b = Blank(width, height, bitsPerPixel);
    FillRect(b, 0, 0, width, height, 3);
    for (int w = 0; w < 4; ++w) {
        const int x0 = pick(width), y0 = pick(height);
        const int ww = 1 + pick(width - x0), wh = 1 + pick(height - y0);
        FillRect(b, x0, y0, ww, wh, 15);                  // window body
        FillRect(b, x0, y0, ww, std::min(wh, 18), 4);     // title bar
        FillRect(b, x0, y0 + wh - 1, ww, 1, 0);           // frame
        for (int line = y0 + 24; line + 8 < y0 + wh; line += 14) {
            for (int x = x0 + 6; x < x0 + ww - 6; x += 1 + pick(5)) {
                if (pick(3) == 0) FillRect(b, x, line, 1 + pick(2), 1 + pick(8), pick(colours));
            }
        }
    }
    return b;
}

Bitmap Noise(int width, int height, int bitsPerPixel, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    Bitmap b = Blank(width, height, bitsPerPixel);
    if (bitsPerPixel > 8) {
        for (auto& byte : b.bits) byte = static_cast<std::uint8_t>(rng());
        return b;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) Put(b, x, y, static_cast<int>(rng() % (1u << bitsPerPixel)));
    return b;
}

Bitmap RunPattern(int width, int height, int bitsPerPixel, int runLength)
{
    Bitmap b = Blank(width, height, bitsPerPixel);
    int value = 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (x % runLength == 0) value = (value * 7 + 3) % 16 + 1;
            const int alternate = bitsPerPixel == 4 && x % 2 == 1 ? 15 - value : value;
            Put(b, x, y, alternate);
        }
    }
    return b;
}

std::vector<std::uint8_t> ExpectedRgb(const Bitmap& b)
{
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(b.width) * b.height * 3);
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
            const Rgb c = PixelColor(b, x, y);
            rgb.push_back(c.red);
            rgb.push_back(c.green);
            rgb.push_back(c.blue);
        }
    }
    return rgb;
}

} // namespace qx::test
