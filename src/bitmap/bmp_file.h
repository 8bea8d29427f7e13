#pragma once

// The bitmap file: the 14-byte file header, then the image of BuildBmpImage.

#include "bitmap/bmp_image.h"
#include "platform/file_store.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace qx::bitmap {

// Pixel data goes out in pieces of at most this many bytes.
inline constexpr std::size_t kWritePiece = 4096;

// "BM", bfSize = pixel bytes + bfOffBits, bfOffBits = 54 plus the colour table.
std::array<std::uint8_t, kFileHeaderSize> BuildBmpFileHeader(std::uint32_t pixelBytes, Colours colours);

// Creates (or replaces) the file at `path` and writes the file header, the
// header block in one write and the pixel block in pieces of kWritePiece
// bytes. True when every byte was stored and the file closed cleanly; any
// failed or short write ends the writing and gives false (the file then holds
// what was written, for the caller to delete).
bool WriteBmpFile(platform::FileStore& files, const std::string& path, std::span<const std::uint8_t> header,
                  std::span<const std::uint8_t> pixels, Colours colours);

} // namespace qx::bitmap
