#include "resources/app_icon.h"
#include "resources/cursor_pick.h"

#include <gtest/gtest.h>

#include <utility>

namespace qx::res {
namespace {

TEST(PickCursor, ArrowTipAtTheHotSpotInvertsTheScreen)
{
    EXPECT_EQ(kPickCursorSize, 32);
    EXPECT_EQ(kPickCursorHotSpot.x, 0);
    EXPECT_EQ(kPickCursorHotSpot.y, 0);
    EXPECT_EQ(PickCursorPixel(0, 0), CursorPixel::InvertScreen);
    EXPECT_EQ(PickCursorPixel(1, 0), CursorPixel::Screen);
    EXPECT_EQ(PickCursorPixel(-1, 0), CursorPixel::Screen);
    EXPECT_EQ(PickCursorPixel(0, 32), CursorPixel::Screen);
    // The masks say the same as the pixels: bit 31 is the left column.
    EXPECT_EQ(PickCursorMasks().andMask[0] >> 31, 1u);
    EXPECT_EQ(PickCursorMasks().xorMask[0] >> 31, 1u);
    EXPECT_EQ(PickCursorMasks().andMask[31], 0xFFFFFFFFu);
    EXPECT_EQ(PickCursorMasks().xorMask[31], 0u);
}

TEST(PickCursor, WhiteQuestionMarkOutlinedInBlackAtTheLowerRight)
{
    int white = 0;
    for (int y = 0; y < kPickCursorSize; ++y) {
        for (int x = 0; x < kPickCursorSize; ++x) {
            const CursorPixel pixel = PickCursorPixel(x, y);
            if (pixel == CursorPixel::InvertScreen) {
                EXPECT_TRUE(x < 16 && y < 20) << x << "," << y;
            }
            if (pixel != CursorPixel::White) continue;
            ++white;
            EXPECT_TRUE(x >= 16 && y >= 16) << x << "," << y;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const CursorPixel next = PickCursorPixel(x + dx, y + dy);
                EXPECT_TRUE(next == CursorPixel::White || next == CursorPixel::Black) << x << "," << y;
            }
        }
    }
    EXPECT_GT(white, 20);
}

TEST(AppIcon, OpaqueImageOnATransparentGround)
{
    const IconPixels& pixels = AppIconPixels();
    ASSERT_EQ(pixels.size(), 32u * 32u);
    int opaque = 0;
    for (std::uint32_t argb : pixels) {
        const std::uint32_t alpha = argb >> 24;
        EXPECT_TRUE(alpha == 0 || alpha == 0xFF);
        if (alpha == 0xFF) {
            ++opaque;
        } else {
            EXPECT_EQ(argb, 0u);
        }
    }
    EXPECT_GT(opaque, 32 * 32 / 2);
    EXPECT_EQ(pixels[0], 0u);
}

} // namespace
} // namespace qx::res
