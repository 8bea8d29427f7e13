#include "print/paint_dib.h"

namespace qx::print {

namespace {

int RoundHalfUp(double value)
{
    return static_cast<int>(value + 0.5);
}

} // namespace

PaintDibResult PaintDib(const bitmap::PackedDib* dib, platform::Printer* printer, const platform::Rect& destination)
{
    if (dib == nullptr) return PaintDibResult::NoBitmap;
    const std::optional<Bitmap> image = bitmap::DibToBitmap(*dib);
    if (!image) return PaintDibResult::NoBitmap;
    if (printer == nullptr) return PaintDibResult::NoDevice;

    const double horizontal = static_cast<double>(destination.Width()) / image->width;
    const double vertical = static_cast<double>(destination.Height()) / image->height;
    // The destination is its own clipping rectangle: all of it is shown.
    const platform::Rect& shown = destination;
    if (shown.IsEmpty()) return PaintDibResult::Drawn;

    // The shown part mapped back to image pixels, top row first.
    const platform::Rect source{0, 0, RoundHalfUp(shown.Width() / horizontal), RoundHalfUp(shown.Height() / vertical)};

    if (source.Width() == shown.Width() && source.Height() == shown.Height()) {
        return printer->SetBitmapToDevice(shown.left, shown.top, *image, source) != 0 ? PaintDibResult::Drawn
                                                                                       : PaintDibResult::UnscaledFailed;
    }
    return printer->StretchBitmap(shown, *image, source) != 0 ? PaintDibResult::Drawn : PaintDibResult::ScaledFailed;
}

} // namespace qx::print
