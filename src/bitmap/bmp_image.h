#pragma once

// The image part of a bitmap file: the info header with its colour table and
// the pixel data, built from the program's bitmap.

#include "bitmap/bmp_layout.h"
#include "platform/bitmap.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace qx::bitmap {

// The colours that the display yields for palette indices 0 to 255: the
// preset of a 256-colour table before the bitmap's own colours replace it.
using DevicePalette = std::array<Rgb, 256>;

// The display's palette when no palette of the program's own is selected:
// the twenty static colours, then black.
const DevicePalette& DefaultDevicePalette();

// The fixed preset of a 16-colour table.
const std::array<Rgb, 16>& SixteenColourTable();

struct BmpImage {
    std::vector<std::uint8_t> header; // info header and colour table
    std::vector<std::uint8_t> pixels; // biSizeImage bytes, bottom row first
    Colours colours = Colours::TrueColour;
};

// Depths 16, 24 and 32 give a 24-bit BI_RGB image with rows padded to four
// bytes; depth 8 a BI_RLE8 and depth 4 a BI_RLE4 image with a colour table:
// the preset (`device` for 256 entries, the fixed table for 16) overwritten by
// the bitmap's palette. Nothing for any other depth, several planes, a bitmap
// whose rows are shorter than its width needs, or sizes that the file's
// 32-bit fields cannot hold.
std::optional<BmpImage> BuildBmpImage(const Bitmap& bitmap, const DevicePalette& device);

} // namespace qx::bitmap
