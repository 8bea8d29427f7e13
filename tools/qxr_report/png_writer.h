#pragma once

// The PNG file of a screenshot for the support tools: 8-bit RGB, the image
// data deflated by zlib at its default level.

#include "bitmap/bmp_reader.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace qxr {

// The PNG file of `image` (width and height positive), or none when zlib
// has no memory for it.
std::optional<std::vector<std::uint8_t>> EncodePng(const qx::bitmap::RgbImage& image);

} // namespace qxr
