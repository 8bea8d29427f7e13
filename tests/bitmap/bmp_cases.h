#pragma once

// The images every bitmap file test goes through: screenshots and noise at
// every depth, the 799-pixel row, single pixels, and run lengths around the
// limits of the run-length codes.

#include "support/bitmap_fixtures.h"

#include <ostream>
#include <string>
#include <vector>

namespace qx::test {

struct BitmapCase {
    std::string name;
    Bitmap bitmap;
    friend void PrintTo(const BitmapCase& c, std::ostream* os) { *os << c.name; }
};

inline std::vector<BitmapCase> BitmapCases()
{
    std::vector<BitmapCase> cases;
    for (const int bpp : {4, 8, 16, 24, 32}) {
        const std::string depth = std::to_string(bpp) + "bpp";
        cases.push_back({"screenshot_" + depth, ScreenshotLike(320, 200, bpp, 11)});
        cases.push_back({"noise_" + depth, Noise(97, 61, bpp, 12)});
        cases.push_back({"pixel_" + depth, Noise(1, 1, bpp, 13)});
        cases.push_back({"column_" + depth, Noise(1, 9, bpp, 14)});
    }
    cases.push_back({"row799_24bpp", Noise(799, 3, 24, 15)});
    cases.push_back({"row799_8bpp", ScreenshotLike(799, 40, 8, 16)});
    for (const int width : {2, 3, 4, 5}) {
        cases.push_back({"narrow" + std::to_string(width) + "_8bpp", Noise(width, 4, 8, 17)});
        cases.push_back({"narrow" + std::to_string(width) + "_4bpp", Noise(width, 4, 4, 18)});
    }
    for (const int run : {1, 2, 3, 4, 5, 6, 7, 254, 255, 256, 257, 510, 511, 600}) {
        cases.push_back({"runs" + std::to_string(run) + "_8bpp", RunPattern(600, 3, 8, run)});
        cases.push_back({"runs" + std::to_string(run) + "_4bpp", RunPattern(601, 3, 4, run)});
    }
    return cases;
}

} // namespace qx::test
