#pragma once

// Reads back the bitmap files the program writes (24-bit BI_RGB, BI_RLE8 and
// BI_RLE4), for the support tools. Every field is checked before it is used;
// a damaged file gives an error, never a read outside `file`.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qx::bitmap {

// The length of the bitmap file at the start of `bytes` by its own size
// field (bfSize), when it begins with "BM" and that length is at least the
// two headers and fits in `bytes`.
std::optional<std::size_t> BitmapFileLength(std::span<const std::uint8_t> bytes);

enum class ReadError {
    None,
    NotBitmap,   // no "BM", or the size fields do not fit the file
    Unsupported, // another depth, compression or layout
    Damaged,     // pixel data shorter than its rows or run codes outside the image
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // red, green, blue per pixel, top row first
};

struct ReadResult {
    ReadError error = ReadError::None;
    RgbImage image;
};

// The largest image the reader accepts (width × height), so that a small
// damaged file cannot ask for gigabytes.
inline constexpr std::uint64_t kMaxReadPixels = std::uint64_t{1} << 27;

ReadResult ReadBmpFile(std::span<const std::uint8_t> file);

} // namespace qx::bitmap
