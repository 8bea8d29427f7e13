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

TEST(ImageDestination, ScaledSizesAreTruncatedAndKeptToSixteenBits)
{
    EXPECT_EQ(ImageDestination(4.6875, 1024, 768, 50, 400), (platform::Rect{50, 400, 4750, 4000}));
    EXPECT_EQ(ImageDestination(1.999, 10, 10, 0, 0), (platform::Rect{0, 0, 19, 19}));
    EXPECT_EQ(ImageDestination(100.0, 1000, 700, 10, 5), (platform::Rect{10, 5, 100000 - 65536 - 10, 70000 - 65536 + 5}));
}

TEST(PrintScreenImage, StretchedAcrossThePrintableWidthUnderTheHeader)
{
    OpenPage page; // 4800 pixels across, character height 50
    Bitmap kept = test::ScreenshotLike(1024, 768, 32, 5);
    PrintScreenImage(page.printer, 400, {kept, 1024, 768}, kNoPick, {1024, {}});
    const auto& images = page.printer.Pages()[0].images;
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].transfer, Transfer::Stretched);
    EXPECT_EQ(images[0].destination, (platform::Rect{50, 400, 4750, 4000}));
    EXPECT_EQ(images[0].source, (platform::Rect{0, 0, 1024, 768}));
    EXPECT_EQ(test::ExpectedRgb(images[0].image), test::ExpectedRgb(kept));
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

TEST(PrintScreenImage, AnUnknownDisplayWidthIsTheImageWidth)
{
    OpenPage page;
    Bitmap kept = test::ScreenshotLike(800, 600, 32, 2);
    PrintScreenImage(page.printer, 300, {kept, 800, 600}, kNoPick, {0, {}});
    // r = 4800 / 800 = 6
    EXPECT_EQ(page.printer.Pages()[0].images.at(0).destination, (platform::Rect{50, 300, 4750, 3900}));
}

TEST(PrintScreenImage, ASmallerDisplayScalesTheImageUp)
{
    // A window-sized image on a 1600-pixel display: r = 3.
    OpenPage page;
    Bitmap kept = test::ScreenshotLike(400, 300, 16, 3);
    PrintScreenImage(page.printer, 400, {kept, 400, 300}, kNoPick, {1600, {}});
    EXPECT_EQ(page.printer.Pages()[0].images.at(0).destination, (platform::Rect{50, 400, 1150, 1300}));
}

} // namespace
} // namespace qx::print
