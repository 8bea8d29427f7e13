#include "platform/surface_pixel.h"

#include <algorithm>
#include <cmath>

namespace qx::platform {

namespace {

// A thousandth of a pixel: far below a pixel, far above what a position
// loses passing through single precision on the way here.
constexpr double kEdgeTolerance = 1e-3;

int Scaled(double position, double surfaceLength, int imageLength)
{
    if (surfaceLength <= 0 || imageLength <= 0) return 0;
    const double pixel = std::floor(position / surfaceLength * imageLength + kEdgeTolerance);
    return static_cast<int>(std::clamp(pixel, 0.0, static_cast<double>(imageLength - 1)));
}

} // namespace

Pixel SurfacePixel(double x, double y, double surfaceWidth, double surfaceHeight, Size image)
{
    return Pixel{Scaled(x, surfaceWidth, image.width), Scaled(y, surfaceHeight, image.height)};
}

} // namespace qx::platform
