#pragma once

// Bitmaps made by code for the bitmap file tests: screenshot-like images
// (flat areas, window frames, lines of "text"), noise, and run patterns that
// hit the run-length limits.

#include "platform/bitmap.h"

#include <cstdint>
#include <vector>

namespace qx::test {

// A palette of `entries` distinct colours (a colour cube walk).
std::vector<Rgb> DistinctPalette(int entries);

// A desktop with a few windows, title bars and rows of short strokes.
Bitmap ScreenshotLike(int width, int height, int bitsPerPixel, std::uint32_t seed);

// Every pixel drawn at random.
Bitmap Noise(int width, int height, int bitsPerPixel, std::uint32_t seed);

// Rows of runs of `runLength` pixels, the colour changing after each run;
// for 4 bits per pixel, runs of a pair of alternating colours.
Bitmap RunPattern(int width, int height, int bitsPerPixel, int runLength);

// The colour of every pixel as red, green, blue bytes, top row first.
std::vector<std::uint8_t> ExpectedRgb(const Bitmap& bitmap);

} // namespace qx::test
