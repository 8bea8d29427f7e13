#include "print/print_screen_image.h"

#include "bitmap/incident_marker.h"
#include "support/bitmap_fixtures.h"
#include "support/recording_printer.h"

#include <gtest/gtest.h>

namespace qx::print {
namespace {

using test::RecordingPrinter;
using test::RecordingPrinterSetup;
using test::Transfer;
using test::OpenPage;

constexpr IncidentPoint kNoPick{};

TEST(ImageScale, TheScreenAcrossTheBoxAndNoImageLeavesIt)
{
    struct Case {
        const char* name;
        ImageBox box;
        int width, height, display;
        double r;
    };
    const Case cases[] = {
        {"screen", {4700, 6200}, 1024, 768, 1024, 4700.0 / 1024},
        {"portrait screen: the height decides", {4700, 3000}, 1080, 1920, 1080, 3000.0 / 1920},
        {"landscape page", {6600, 3000}, 3840, 2160, 3840, 3000.0 / 2160},
        {"window image: the screen's share of the width", {4700, 6200}, 400, 300, 1600, 4700.0 / 1600},
        {"window image wider than the screen", {4700, 6200}, 3000, 800, 1280, 4700.0 / 3000},
        {"unknown display width", {4700, 6200}, 800, 600, 0, 4700.0 / 800},
        {"no room under the header", {4700, 0}, 800, 600, 800, 0},
        {"no image", {4700, 6200}, 0, 0, 800, 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(ImageScale(c.box, c.width, c.height, c.display), c.r) << c.name;
}

TEST(ImageDestination, OneMarginInWithTheScaledSizeTruncated)
{
    EXPECT_EQ(ImageDestination(4.6875, 1024, 768, 50, 400), (platform::Rect{50, 400, 4850, 4000}));
    EXPECT_EQ(ImageDestination(1.999, 10, 10, 0, 0), (platform::Rect{0, 0, 19, 19}));
    EXPECT_EQ(ImageDestination(100.0, 1000, 700, 10, 5), (platform::Rect{10, 5, 100010, 70005}));
}

TEST(MarkerScale, TwoOrEightMillimetresOnPaper)
{
    EXPECT_FLOAT_EQ(MarkerScale(4700.0 / 1024, 600), 2.0f); // 50 image pixels make 19 mm
    // 3840 pixels across 199 mm: 50 image pixels would be 2.6 mm.
    const double r = 4700.0 / 3840;
    const float s = MarkerScale(r, 600);
    EXPECT_NEAR(bitmap::kMarkerSpan * s * r / 600 * 25.4, 8.0, 1e-3);
    EXPECT_FLOAT_EQ(MarkerScale(0, 600), 2.0f);
}

TEST(PrintScreenImage, TheWholeImageUnderTheHeaderAspectKept)
{
    struct Case {
        int width, height, display;
        platform::Rect destination;
    };
    // 4800 by 6600 printable, character height 50, top at 400: a box of 4700 by 6200.
    const Case cases[] = {
        {1024, 768, 1024, {50, 400, 4750, 400 + static_cast<int>(768 * (4700.0 / 1024))}},
        {1080, 1920, 1080, {50, 400, 50 + static_cast<int>(1080 * (6200.0 / 1920)), 6600}},
        {3000, 800, 1280, {50, 400, 4750, 400 + static_cast<int>(800 * (4700.0 / 3000))}},
    };
    for (const Case& c : cases) {
        OpenPage page;
        Bitmap kept = test::ScreenshotLike(c.width, c.height, 32, 5);
        PrintScreenImage(page.printer, 400, {kept, c.width, c.height}, kNoPick, {c.display, {}});
        const auto& images = page.printer.Pages()[0].images;
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].transfer, Transfer::Stretched);
        EXPECT_EQ(images[0].destination, c.destination) << c.width << "x" << c.height;
        EXPECT_EQ(images[0].source, (platform::Rect{0, 0, c.width, c.height}));
        if (c.width == 1024) {
            EXPECT_EQ(test::ExpectedRgb(images[0].image), test::ExpectedRgb(kept));
        }
    }
}

TEST(PrintScreenImage, TheArrowIsDrawnIntoTheKeptImageAndStays)
{
    const Bitmap original = test::ScreenshotLike(640, 480, 24, 9);
    Bitmap kept = original;
    Bitmap expected = original;
    bitmap::DrawIncidentMarker(expected, {300, 200}, 2.0f);
    {
        OpenPage page;
        PrintScreenImage(page.printer, 400, {kept, 640, 480}, {300, 200}, {640, {}});
        EXPECT_EQ(test::ExpectedRgb(page.printer.Pages()[0].images.at(0).image), test::ExpectedRgb(expected));
    }
    EXPECT_EQ(kept.bits, expected.bits);
    // A second printout with a cancelled pick shows the first arrow, and no new one.
    OpenPage again;
    PrintScreenImage(again.printer, 400, {kept, 640, 480}, kNoPick, {640, {}});
    EXPECT_EQ(kept.bits, expected.bits);
    EXPECT_EQ(test::ExpectedRgb(again.printer.Pages()[0].images.at(0).image), test::ExpectedRgb(expected));
}

TEST(PrintScreenImage, APrinterWithoutBitmapTransferGetsNothing)
{
    RecordingPrinterSetup setup;
    setup.rasterCaps = 0;
    OpenPage page(setup);
    const Bitmap original = test::ScreenshotLike(64, 48, 32, 1);
    Bitmap kept = original;
    PrintScreenImage(page.printer, 400, {kept, 64, 48}, {10, 10}, {64, {}});
    EXPECT_TRUE(page.printer.Pages()[0].images.empty());
    EXPECT_EQ(kept.bits, original.bits);
}

TEST(PrintScreenImage, TheArrowAtTheLastPixelRunsBackIntoTheImage)
{
    const Bitmap original = test::ScreenshotLike(640, 480, 24, 9);
    Bitmap kept = original;
    Bitmap expected = original;
    bitmap::DrawIncidentMarker(expected, {639, 479}, 2.0f, {bitmap::Horizontal::Left, bitmap::Vertical::Up});
    OpenPage page;
    PrintScreenImage(page.printer, 400, {kept, 640, 480}, {639, 479}, {640, {}});
    EXPECT_EQ(kept.bits, expected.bits);
}

} // namespace
} // namespace qx::print
