#pragma once

// Which image pixel lies under a point of a surface that shows the image
// stretched over `surfaceWidth` by `surfaceHeight` units. The surface's
// units may be fractions of a device pixel (Qt scaled by 1.5) or several of
// them (a scaled XWayland desktop), so the point is taken as a fraction of
// the surface; a point on a pixel's edge belongs to the pixel to its right
// and below, even after rounding in the conversions before it.

#include "platform/desktop.h"

namespace qx::platform {

struct Pixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// Clamped to the image.
Pixel SurfacePixel(double x, double y, double surfaceWidth, double surfaceHeight, Size image);

} // namespace qx::platform
