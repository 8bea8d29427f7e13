#pragma once

// The program's own device-dependent bitmap: the kept screen image and the
// images handed to the BMP writer and the printer. The Qt layer converts
// QImage to and from it.

#include <cstdint>
#include <vector>

namespace qx {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Rows are stored top row first, each `stride` bytes (at least the bytes the
// row needs; no padding rule). Pixel layouts by bits per pixel:
//   32: blue, green, red, unused      24: blue, green, red
//   16: RGB 5-6-5, little-endian       8: palette index
//    4: two palette indices a byte, high nibble first
// `palette` holds the colours of the indices for 8 and 4 bits per pixel.
struct Bitmap {
    int width = 0;
    int height = 0;
    int planes = 1;
    int bitsPerPixel = 32;
    int stride = 0;
    std::vector<std::uint8_t> bits;
    std::vector<Rgb> palette;

    bool IsNull() const { return width <= 0 || height <= 0 || bits.empty(); }
    std::uint8_t* Row(int y) { return bits.data() + static_cast<std::size_t>(y) * stride; }
    const std::uint8_t* Row(int y) const { return bits.data() + static_cast<std::size_t>(y) * stride; }
};

// A blank bitmap of the given geometry with the smallest stride.
Bitmap MakeBitmap(int width, int height, int bitsPerPixel);

// The colour of pixel (x, y); (x, y) must lie inside the bitmap.
Rgb PixelColor(const Bitmap& bitmap, int x, int y);

// Sets pixel (x, y) to `color` (to the nearest palette entry for indexed
// bitmaps); points outside the bitmap are ignored.
void SetPixelColor(Bitmap& bitmap, int x, int y, Rgb color);

} // namespace qx
