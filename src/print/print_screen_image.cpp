#include "print/print_screen_image.h"

#include "bitmap/incident_marker.h"
#include "print/paint_dib.h"

#include <cstdint>

namespace qx::print {

namespace {

int ScaledTo16Bits(double value)
{
    return static_cast<std::uint16_t>(static_cast<std::int64_t>(value));
}

} // namespace

platform::Rect ImageDestination(double r, int imageWidth, int imageHeight, int margin, int top)
{
    return {margin, top, ScaledTo16Bits(r * imageWidth) - margin, ScaledTo16Bits(r * imageHeight) + top};
}

void PrintScreenImage(platform::Printer& printer, int top, ScreenImage image, IncidentPoint incident,
                      const DisplayInfo& display)
{
    using platform::DeviceCap;
    const int margin = printer.GetTextMetrics().height;
    if ((printer.GetDeviceCaps(DeviceCap::RasterCaps) & platform::kRcBitBlt) == 0) return;

    if (incident.IsPicked()) bitmap::DrawIncidentMarker(image.bitmap, incident, bitmap::kMarkerScale);

    // A display that gives no width would divide by zero: the image is as
    // wide as the screen it was taken from.
    const int displayWidth = display.width > 0 ? display.width : image.width;
    if (displayWidth <= 0) return;
    const double r = static_cast<double>(printer.GetDeviceCaps(DeviceCap::HorzRes)) / displayWidth;
    const platform::Rect destination = ImageDestination(r, image.width, image.height, margin, top);

    const std::optional<bitmap::PackedDib> dib = bitmap::CreateDibFromBitmap(image.bitmap, display.systemPalette);
    PaintDib(dib ? &*dib : nullptr, &printer, destination);
}

} // namespace qx::print
