#pragma once

// A minimal PNG writer for the support tools: 8-bit RGB, no filtering, the
// image data in stored (uncompressed) deflate blocks, so it needs no
// compression library. Decoders read it like any other PNG.

#include "bitmap/bmp_reader.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qxr {

// CRC-32 of PNG chunks (polynomial 0xEDB88320, initial and final inversion).
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

// Adler-32 of the zlib stream.
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// The PNG file of `image` (width and height positive).
std::vector<std::uint8_t> EncodePng(const qx::bitmap::RgbImage& image);

} // namespace qxr
