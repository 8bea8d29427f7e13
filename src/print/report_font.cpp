#include "print/report_font.h"

#include <cstdint>
#include <limits>

namespace qx::print {

namespace {
constexpr int kPointSize = 10;
constexpr int kPointsPerInch = 72;
constexpr int kWeight = 600;
} // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t divisor = c;
    const std::int64_t absProduct = product < 0 ? -product : product;
    const std::int64_t absDivisor = divisor < 0 ? -divisor : divisor;
    const std::int64_t magnitude = (absProduct + absDivisor / 2) / absDivisor;
    const std::int64_t result = (product < 0) != (divisor < 0) ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(result);
}

platform::FontSpec ReportFontSpec(int logPixelsY)
{
    platform::FontSpec wanted;
    wanted.faceName = "MS Sans Serif";
    wanted.height = -MulDiv(kPointSize, logPixelsY, kPointsPerInch);
    wanted.weight = kWeight;
    wanted.style = platform::FontStyle::Upright;
    wanted.pitch = platform::FontPitch::Fixed;
    wanted.family = platform::FontFamily::Swiss;
    return wanted;
}

} // namespace qx::print
