#pragma once

// The packed device-independent bitmap that the printer is given: a 40-byte
// info header, the colour table and the pixel rows, bottom row first, each
// padded to a multiple of four bytes.

#include "platform/bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qx::bitmap {

using PackedDib = std::vector<std::uint8_t>;

// The image's colours at 1, 4 or 8 bits per pixel for depths up to 1, 4 and
// 8, at 24 above. Indexed images take their colour table from their own
// palette; the entries of `displayPalette` (a display's system palette, empty
// on displays without one) give the colours of the indices they cover, as a
// realised palette does. Nothing for a null image, several planes, a depth
// the bitmap type cannot hold, or sizes the header cannot hold.
std::optional<PackedDib> CreateDibFromBitmap(const Bitmap& bitmap, std::span<const Rgb> displayPalette);

// The image of a packed bitmap as 32 bits per pixel, top row first; nothing
// when the block is not an uncompressed bottom-up bitmap of 1, 4, 8 or 24
// bits per pixel that holds all its rows.
std::optional<Bitmap> DibToBitmap(std::span<const std::uint8_t> dib);

} // namespace qx::bitmap
