#pragma once

// Whether the program's bitmap holds every row its width and height promise,
// checked before a writer reads its pixels.

#include "platform/bitmap.h"

#include <cstdint>

namespace qx::bitmap {

// One plane, a stride of at least the bytes a row needs, and bits for all rows.
inline bool HasConsistentRows(const Bitmap& b)
{
    if (b.IsNull() || b.planes != 1 || b.stride <= 0) return false;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(b.width) * b.bitsPerPixel + 7) / 8;
    return static_cast<std::uint64_t>(b.stride) >= rowBytes &&
           b.bits.size() >= static_cast<std::uint64_t>(b.stride) * static_cast<std::uint64_t>(b.height);
}

} // namespace qx::bitmap
