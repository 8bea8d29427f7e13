#pragma once

// Inputs for archive round trips, interoperability tests and benchmarks,
// made by code: a 24-bit screenshot-like bitmap file, report-like text in
// Windows-1252 with "\r\n" lines, and bytes that do not pack.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qx::test {

// A BMP file (headers and bottom-up 24-bit rows) of a desktop with windows,
// title bars, flat colours and rows of text-like strokes.
std::vector<std::uint8_t> ScreenshotBmp(int width, int height, std::uint32_t seed);

// `size` bytes of French report-like text: words from a small vocabulary,
// accented letters in Windows-1252, lines ended by "\r\n".
std::vector<std::uint8_t> ReportLikeText(std::size_t size, std::uint32_t seed);

// `size` bytes drawn at random.
std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed);

} // namespace qx::test
