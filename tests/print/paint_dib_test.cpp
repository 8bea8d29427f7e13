#include "print/paint_dib.h"

#include "support/bitmap_fixtures.h"
#include "support/recording_printer.h"

#include <gtest/gtest.h>

namespace qx::print {
namespace {

using test::RecordingPrinter;
using test::RecordingPrinterSetup;
using test::Transfer;
using test::OpenPage;

const bitmap::PackedDib& Dib()
{
    static const bitmap::PackedDib dib = *bitmap::CreateDibFromBitmap(test::Noise(40, 30, 24, 3), {});
    return dib;
}

TEST(PaintDib, SameSizeIsTransferredPixelForPixel)
{
    OpenPage page;
    EXPECT_EQ(PaintDib(&Dib(), &page.printer, {100, 200, 140, 230}), PaintDibResult::Drawn);
    const auto& images = page.printer.Pages()[0].images;
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].transfer, Transfer::Unscaled);
    EXPECT_EQ(images[0].destination, (platform::Rect{100, 200, 140, 230}));
    EXPECT_EQ(images[0].source, (platform::Rect{0, 0, 40, 30}));
    EXPECT_EQ(images[0].image.bits, bitmap::DibToBitmap(Dib())->bits);
}

TEST(PaintDib, OtherSizesAreStretchedFromTheWholeImage)
{
    for (const platform::Rect dest : {platform::Rect{50, 400, 4750, 4000}, platform::Rect{0, 0, 20, 15},
                                      platform::Rect{0, 0, 40, 31}}) {
        OpenPage page;
        EXPECT_EQ(PaintDib(&Dib(), &page.printer, dest), PaintDibResult::Drawn);
        const auto& images = page.printer.Pages()[0].images;
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].transfer, Transfer::Stretched);
        EXPECT_EQ(images[0].destination, dest);
        EXPECT_EQ(images[0].source, (platform::Rect{0, 0, 40, 30}));
    }
}

TEST(PaintDib, ResultCodes)
{
    RecordingPrinterSetup failing;
    failing.bitmapResult = 0;
    OpenPage ok;
    OpenPage broken(failing);
    bitmap::PackedDib malformed = Dib();
    malformed.resize(60);

    EXPECT_EQ(PaintDib(nullptr, &ok.printer, {0, 0, 40, 30}), PaintDibResult::NoBitmap);
    EXPECT_EQ(PaintDib(&malformed, &ok.printer, {0, 0, 40, 30}), PaintDibResult::NoBitmap);
    EXPECT_EQ(PaintDib(&Dib(), nullptr, {0, 0, 40, 30}), PaintDibResult::NoDevice);
    EXPECT_EQ(PaintDib(&Dib(), &broken.printer, {0, 0, 40, 30}), PaintDibResult::UnscaledFailed);
    EXPECT_EQ(PaintDib(&Dib(), &broken.printer, {0, 0, 80, 60}), PaintDibResult::ScaledFailed);
    EXPECT_EQ(static_cast<int>(PaintDibResult::UnscaledFailed), 16);
    EXPECT_EQ(static_cast<int>(PaintDibResult::ScaledFailed), 32);
    // An empty destination draws nothing and is no failure.
    for (const platform::Rect empty : {platform::Rect{10, 10, 10, 50}, platform::Rect{10, 10, 50, 10},
                                       platform::Rect{60, 0, 20, 30}}) {
        EXPECT_EQ(PaintDib(&Dib(), &broken.printer, empty), PaintDibResult::Drawn);
    }
    EXPECT_TRUE(ok.printer.Pages()[0].images.empty());
}

} // namespace
} // namespace qx::print
