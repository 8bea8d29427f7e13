#include "platform/bitmap.h"

#include <climits>

namespace qx {
namespace {

int NearestIndex(const std::vector<Rgb>& palette, Rgb c)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = palette[i].red - c.red;
        const int dg = palette[i].green - c.green;
        const int db = palette[i].blue - c.blue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

Bitmap MakeBitmap(int width, int height, int bitsPerPixel)
{
    Bitmap b;
    b.width = width;
    b.height = height;
    b.bitsPerPixel = bitsPerPixel;
    b.stride = (width * bitsPerPixel + 7) / 8;
    b.bits.assign(static_cast<std::size_t>(b.stride) * height, 0);
    if (bitsPerPixel <= 8) b.palette.assign(std::size_t{1} << bitsPerPixel, Rgb{});
    return b;
}

Rgb PixelColor(const Bitmap& b, int x, int y)
{
    const std::uint8_t* row = b.Row(y);
    switch (b.bitsPerPixel) {
    case 32:
    case 24: {
        const std::uint8_t* p = row + x * (b.bitsPerPixel / 8);
        return Rgb{p[2], p[1], p[0]};
    }
    case 16: {
        const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        const unsigned r = (v >> 11) & 0x1F, g = (v >> 5) & 0x3F, bl = v & 0x1F;
        return Rgb{static_cast<std::uint8_t>((r << 3) | (r >> 2)), static_cast<std::uint8_t>((g << 2) | (g >> 4)),
                   static_cast<std::uint8_t>((bl << 3) | (bl >> 2))};
    }
    case 8:
        return row[x] < b.palette.size() ? b.palette[row[x]] : Rgb{};
    case 4: {
        const unsigned index = (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
        return index < b.palette.size() ? b.palette[index] : Rgb{};
    }
    default:
        return Rgb{};
    }
}

void SetPixelColor(Bitmap& b, int x, int y, Rgb c)
{
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return;
    std::uint8_t* row = b.Row(y);
    switch (b.bitsPerPixel) {
    case 32:
    case 24: {
        std::uint8_t* p = row + x * (b.bitsPerPixel / 8);
        p[0] = c.blue, p[1] = c.green, p[2] = c.red;
        break;
    }
    case 16: {
        const unsigned v = ((c.red >> 3) << 11) | ((c.green >> 2) << 5) | (c.blue >> 3);
        row[2 * x] = static_cast<std::uint8_t>(v & 0xFF);
        row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        break;
    }
    case 8:
        row[x] = static_cast<std::uint8_t>(NearestIndex(b.palette, c));
        break;
    case 4: {
        const auto index = static_cast<std::uint8_t>(NearestIndex(b.palette, c));
        std::uint8_t& byte = row[x / 2];
        byte = (x % 2 == 0) ? static_cast<std::uint8_t>((byte & 0x0F) | (index << 4))
                            : static_cast<std::uint8_t>((byte & 0xF0) | index);
        break;
    }
    default:
        break;
    }
}

} // namespace qx
