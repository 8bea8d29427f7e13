#pragma once

// The 40-byte info header (BITMAPINFOHEADER) that opens the image part of a
// bitmap file and a packed bitmap alike: read and written only here.

#include "bitmap/bmp_layout.h"

#include <cstdint>
#include <span>

namespace qx::bitmap {

struct InfoHeader {
    std::uint32_t size = kInfoHeaderSize; // biSize
    std::int32_t width = 0;
    std::int32_t height = 0; // positive: bottom row first
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    Compression compression = Compression::Rgb;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0; // 0: the full table of bitCount
};

// The fields of the info header at the start of `info`, which holds at least
// kInfoHeaderSize bytes.
InfoHeader GetInfoHeader(std::span<const std::uint8_t> info);

// Writes `header` over the first kInfoHeaderSize bytes of `out`; the
// resolution fields and biClrImportant are 0.
void PutInfoHeader(std::span<std::uint8_t> out, const InfoHeader& header);

} // namespace qx::bitmap
