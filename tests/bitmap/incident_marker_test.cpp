#include "bitmap/incident_marker.h"

#include <gtest/gtest.h>

namespace qx::bitmap {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGround{10, 120, 200};

Bitmap Filled(int width, int height, int bitsPerPixel = 32)
{
    Bitmap bitmap = MakeBitmap(width, height, bitsPerPixel);
    if (bitsPerPixel <= 8) bitmap.palette = {kBlack, kWhite, kGround};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixelColor(bitmap, x, y, kGround);
    return bitmap;
}

TEST(IncidentMarkerPoints, AreTheSevenCornersScaledAndTruncated)
{
    struct Case {
        IncidentPoint tip;
        float s;
        std::array<IncidentPoint, kMarkerPointCount> points;
    };
    const Case cases[] = {
        {{100, 50}, 2.0f, {{{100, 50}, {100, 80}, {110, 70}, {130, 100}, {150, 80}, {120, 60}, {130, 50}}}},
        {{0, 0}, 1.0f, {{{0, 0}, {0, 15}, {5, 10}, {15, 25}, {25, 15}, {10, 5}, {15, 0}}}},
        // 7.5 and 22.5 are truncated.
        {{10, 10}, 1.5f, {{{10, 10}, {10, 32}, {17, 25}, {32, 47}, {47, 32}, {25, 17}, {32, 10}}}},
        // Toward zero, not downward: -20 + 7.5 gives -12.
        {{-20, -20}, 1.5f, {{{-20, -20}, {-20, 2}, {-12, -5}, {2, 17}, {17, 2}, {-5, -12}, {2, -20}}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IncidentMarkerPoints(c.tip, c.s), c.points) << c.tip.x << "," << c.tip.y << " s=" << c.s;
    }
}

TEST(DrawIncidentMarker, OutlinesInBlackFillsWithWhiteAndLeavesTheRest)
{
    Bitmap image = Filled(200, 200);
    DrawIncidentMarker(image, {40, 40}, kMarkerScale);

    EXPECT_EQ(PixelColor(image, 40, 40), kBlack);      // tip
    EXPECT_EQ(PixelColor(image, 40, 60), kBlack);      // left edge
    EXPECT_EQ(PixelColor(image, 70, 40), kBlack);      // top end of the head
    EXPECT_EQ(PixelColor(image, 70, 90), kBlack);      // point 4, the shaft's end
    EXPECT_EQ(PixelColor(image, 45, 50), kWhite);      // inside the head
    EXPECT_EQ(PixelColor(image, 70, 70), kWhite);      // inside the shaft
    EXPECT_EQ(PixelColor(image, 39, 40), kGround);     // left of the tip
    EXPECT_EQ(PixelColor(image, 45, 75), kGround);     // the notch between head and shaft
    EXPECT_EQ(PixelColor(image, 91, 91), kGround);     // past the arrow
    EXPECT_EQ(PixelColor(image, 150, 150), kGround);

    // The arrow spans 50 by 50 pixels from its tip.
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (PixelColor(image, x, y) == kGround) continue;
            EXPECT_TRUE(x >= 40 && x <= 90 && y >= 40 && y <= 90) << x << "," << y;
        }
    }
}

TEST(DrawIncidentMarker, IsCutOffAtTheImageEdges)
{
    struct Case {
        int x, y;
    };
    const Case cases[] = {{190, 190}, {-20, -20}, {199, 0}, {0, 199}, {1 << 30, 5}, {-(1 << 30), -(1 << 30)}};
    for (const Case& c : cases) {
        Bitmap image = Filled(200, 200);
        DrawIncidentMarker(image, {c.x, c.y}, kMarkerScale);
        if (c.x >= 0 && c.x < 200 && c.y >= 0 && c.y < 200) {
            EXPECT_EQ(PixelColor(image, c.x, c.y), kBlack) << c.x << "," << c.y;
        }
    }
    Bitmap corner = Filled(200, 200);
    DrawIncidentMarker(corner, {190, 190}, kMarkerScale);
    EXPECT_EQ(PixelColor(corner, 199, 199), kWhite);
    EXPECT_EQ(PixelColor(corner, 190, 199), kBlack);
}

TEST(DrawIncidentMarker, DrawsIntoIndexedImagesWithTheNearestColours)
{
    for (int bitsPerPixel : {8, 4}) {
        Bitmap image = Filled(100, 100, bitsPerPixel);
        DrawIncidentMarker(image, {10, 10}, kMarkerScale);
        EXPECT_EQ(PixelColor(image, 10, 10), kBlack) << bitsPerPixel;
        EXPECT_EQ(PixelColor(image, 40, 40), kWhite) << bitsPerPixel;
        EXPECT_EQ(PixelColor(image, 80, 20), kGround) << bitsPerPixel;
    }
}

TEST(PlaceMarkerInside, TheTipOnThePickAndTheWholeArrowInTheImage)
{
    struct Case {
        IncidentPoint pick;
        IncidentPoint tip;
        Shaft shaft;
    };
    using H = Horizontal;
    using V = Vertical;
    const Case cases[] = {
        {{100, 100}, {100, 100}, {H::Right, V::Down}},
        {{0, 0}, {0, 0}, {H::Right, V::Down}},
        {{199, 0}, {199, 0}, {H::Left, V::Down}},
        {{0, 199}, {0, 199}, {H::Right, V::Up}},
        {{199, 199}, {199, 199}, {H::Left, V::Up}},
        {{149, 149}, {149, 149}, {H::Right, V::Down}}, // the arrow ends on the last pixel
        {{151, 20}, {151, 20}, {H::Left, V::Down}},
        {{250, -5}, {199, 0}, {H::Left, V::Down}}, // a pick off the image: its nearest pixel
    };
    for (const Case& c : cases) {
        const PlacedMarker placed = PlaceMarkerInside(c.pick, kMarkerScale, 200, 200);
        EXPECT_EQ(placed.tip, c.tip) << c.pick.x << "," << c.pick.y;
        EXPECT_EQ(placed.shaft, c.shaft) << c.pick.x << "," << c.pick.y;
        // Every corner inside the image: nothing of the arrow is cut away.
        for (const IncidentPoint corner : IncidentMarkerPoints(placed.tip, kMarkerScale, placed.shaft)) {
            EXPECT_TRUE(corner.x >= 0 && corner.x < 200 && corner.y >= 0 && corner.y < 200)
                << c.pick.x << "," << c.pick.y << " corner " << corner.x << "," << corner.y;
        }
        Bitmap image = Filled(200, 200);
        DrawIncidentMarker(image, placed.tip, kMarkerScale, placed.shaft);
        EXPECT_EQ(PixelColor(image, placed.tip.x, placed.tip.y), kBlack);
    }
}

TEST(DrawIncidentMarker, LeavesAnEmptyImageAlone)
{
    Bitmap empty;
    DrawIncidentMarker(empty, {0, 0}, kMarkerScale);
    EXPECT_TRUE(empty.IsNull());
}

} // namespace
} // namespace qx::bitmap
