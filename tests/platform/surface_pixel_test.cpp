#include "platform/surface_pixel.h"

#include <gtest/gtest.h>

namespace qx::platform {
namespace {

TEST(SurfacePixel, FindsTheClickedDevicePixelAtEveryScale)
{
    // A 2560x1440 screen shown by Qt at each factor: the surface is the
    // screen's logical size and the click arrives in logical units.
    const Size screen{2560, 1440};
    for (const double factor : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        for (const Pixel device : {Pixel{0, 0}, Pixel{1, 1}, Pixel{1000, 600}, Pixel{1707, 1001}, Pixel{2559, 1439}}) {
            const double x = static_cast<float>(device.x / factor); // Qt's event positions pass through floats
            const double y = static_cast<float>(device.y / factor);
            EXPECT_EQ(SurfacePixel(x, y, screen.width / factor, screen.height / factor, screen), device)
                << factor << " at " << device.x << "," << device.y;
        }
    }
}

TEST(SurfacePixel, StretchesOverAScaledDesktopAndStaysInTheImage)
{
    struct Case {
        const char* name;
        double x, y;
        Pixel pixel;
    };
    // XWayland at 150 %: a 1280x720 screenshot over an 853x480 X screen.
    const Case cases[] = {
        {"origin", 0, 0, {0, 0}},
        {"middle", 426.5, 240, {640, 360}},
        {"last X pixel", 852, 479, {1278, 718}},
        {"right of the surface", 900, 500, {1279, 719}},
        {"left of the surface", -3, -1, {0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(SurfacePixel(c.x, c.y, 853, 480, Size{1280, 720}), c.pixel) << c.name;
    EXPECT_EQ(SurfacePixel(5, 5, 0, 0, Size{1280, 720}), (Pixel{0, 0}));
}

} // namespace
} // namespace qx::platform
