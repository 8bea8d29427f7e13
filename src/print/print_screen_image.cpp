#include "print/print_screen_image.h"

#include "bitmap/incident_marker.h"
#include "print/paint_dib.h"

#include <algorithm>

namespace qx::print {

namespace {

// The shortest arrow that is still seen on paper.
constexpr double kMinMarkerMm = 8.0;
constexpr double kMmPerInch = 25.4;

} // namespace

double ImageScale(const ImageBox& box, int imageWidth, int imageHeight, int displayWidth)
{
    if (box.width <= 0 || box.height <= 0 || imageWidth <= 0 || imageHeight <= 0) return 0;
    // A display that gives no width would divide by zero: the image is as
    // wide as the screen it was taken from.
    const int screenWidth = displayWidth > 0 ? displayWidth : imageWidth;
    // The screen across the box; a window image keeps the share of the width
    // it had on the screen, and no image leaves the box.
    return std::min({static_cast<double>(box.width) / screenWidth, static_cast<double>(box.width) / imageWidth,
                     static_cast<double>(box.height) / imageHeight});
}

platform::Rect ImageDestination(double r, int imageWidth, int imageHeight, int margin, int top)
{
    return {margin, top, margin + static_cast<int>(r * imageWidth), top + static_cast<int>(r * imageHeight)};
}

float MarkerScale(double r, int pixelsPerInch)
{
    if (r <= 0) return bitmap::kMarkerScale;
    const double shortest = kMinMarkerMm / kMmPerInch * pixelsPerInch / r / bitmap::kMarkerSpan;
    return std::max(bitmap::kMarkerScale, static_cast<float>(shortest));
}

void PrintScreenImage(platform::Printer& printer, int top, ScreenImage image, IncidentPoint incident,
                      const DisplayInfo& display)
{
    using platform::DeviceCap;
    const int margin = printer.GetTextMetrics().height;
    if ((printer.GetDeviceCaps(DeviceCap::RasterCaps) & platform::kRcBitBlt) == 0) return;

    const ImageBox box{printer.GetDeviceCaps(DeviceCap::HorzRes) - 2 * margin,
                       printer.GetDeviceCaps(DeviceCap::VertRes) - top};
    const double r = ImageScale(box, image.width, image.height, display.width);
    if (r <= 0) return;

    if (incident.IsPicked()) {
        const float s = MarkerScale(r, printer.GetDeviceCaps(DeviceCap::LogPixelsY));
        const bitmap::PlacedMarker marker = bitmap::PlaceMarkerInside(incident, s, image.width, image.height);
        bitmap::DrawIncidentMarker(image.bitmap, marker.tip, s, marker.shaft);
    }

    const platform::Rect destination = ImageDestination(r, image.width, image.height, margin, top);
    const std::optional<bitmap::PackedDib> dib = bitmap::CreateDibFromBitmap(image.bitmap, display.systemPalette);
    PaintDib(dib ? &*dib : nullptr, &printer, destination);
}

} // namespace qx::print
