#pragma once

// Icon 128, the program's icon: a report sheet with a blue "QX" band, lines of
// text and a red bug. 32 by 32 pixels.

#include <array>
#include <cstdint>

namespace qx::res {

inline constexpr int kAppIconSize = 32;

// Pixels as 0xAARRGGBB, row by row from the top, left to right; alpha is 0
// (transparent) or 0xFF.
using IconPixels = std::array<std::uint32_t, kAppIconSize * kAppIconSize>;

const IconPixels& AppIconPixels();

} // namespace qx::res
