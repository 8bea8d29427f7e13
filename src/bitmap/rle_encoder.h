#pragma once

// Run-length encoding of palette images for BI_RLE8 and BI_RLE4 bitmaps.

#include <cstdint>
#include <span>
#include <vector>

namespace qx::bitmap {

enum class Rle {
    Rle8, // one index a pixel, 0 to 255
    Rle4, // indices 0 to 15
};

// Encodes `indices` (width × height palette indices, one byte each, top row
// first) as the pixel data of a bitmap file: bottom row first, each row
// closed by an end-of-line code except the last, closed by end-of-bitmap.
// Runs of one index (for Rle4, of one pair of alternating indices) become
// encoded runs; stretches without such runs become absolute runs padded to
// 16 bits. width and height must be positive and indices must hold them all.
std::vector<std::uint8_t> EncodeRle(Rle mode, int width, int height, std::span<const std::uint8_t> indices);

} // namespace qx::bitmap
