#pragma once

// The fixed layout of a Windows bitmap file: a 14-byte file header, a 40-byte
// info header, the colour table and the pixel data. Integers are
// little-endian; every field is read and written through bytes/little_endian.h.

#include "bytes/little_endian.h"

#include <cstddef>
#include <cstdint>

namespace qx::bitmap {

inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::size_t kInfoHeaderSize = 40;
inline constexpr std::size_t kColourEntrySize = 4; // blue, green, red, 0

// File header fields, offsets from the start of the file.
inline constexpr std::size_t kOffType = 0;        // 2: "BM"
inline constexpr std::size_t kOffFileSize = 2;    // 4: bfSize
inline constexpr std::size_t kOffReserved1 = 6;   // 2
inline constexpr std::size_t kOffReserved2 = 8;   // 2
inline constexpr std::size_t kOffPixelOffset = 10; // 4: bfOffBits

// Info header fields, offsets from the start of the info header.
inline constexpr std::size_t kOffInfoSize = 0;       // 4: biSize
inline constexpr std::size_t kOffWidth = 4;          // 4: biWidth
inline constexpr std::size_t kOffHeight = 8;         // 4: biHeight, positive: bottom row first
inline constexpr std::size_t kOffPlanes = 12;        // 2: biPlanes
inline constexpr std::size_t kOffBitCount = 14;      // 2: biBitCount
inline constexpr std::size_t kOffCompression = 16;   // 4: biCompression
inline constexpr std::size_t kOffSizeImage = 20;     // 4: biSizeImage
inline constexpr std::size_t kOffXPelsPerMeter = 24; // 4
inline constexpr std::size_t kOffYPelsPerMeter = 28; // 4
inline constexpr std::size_t kOffClrUsed = 32;       // 4
inline constexpr std::size_t kOffClrImportant = 36;  // 4

inline constexpr std::uint16_t kTypeBm = 0x4D42; // "BM" read as a little-endian number

enum class Compression : std::uint32_t {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
};

// Numbers of colours as the writer is told them: 16 and 256 carry a colour
// table of that many entries; true colour (24 bits per pixel) carries none.
enum class Colours : int {
    Sixteen = 16,
    TwoHundredFiftySix = 256,
    TrueColour = 1 << 24,
};

inline std::size_t ColourTableEntries(Colours colours)
{
    return colours == Colours::TrueColour ? 0 : static_cast<std::size_t>(colours);
}

// Bytes of one pixel row in a file or a packed bitmap: `width` pixels of
// `bitCount` bits, padded to a multiple of four bytes.
inline std::uint64_t RowStride(std::uint64_t width, int bitCount)
{
    return (width * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

} // namespace qx::bitmap
