#pragma once

// The last page's picture: the kept screen image with the arrow of this
// printout, across the printable width under the page header.

#include "bitmap/incident_point.h"
#include "platform/bitmap.h"
#include "platform/printer.h"

#include <vector>

namespace qx::print {

// The screen image the application keeps for its capture. Arrows are drawn
// into `bitmap` and stay there for later printouts and e-mails.
struct ScreenImage {
    Bitmap& bitmap;
    int width = 0;  // m_nScreenWidth
    int height = 0; // m_nScreenHeight
};

// What the display tells about itself: its width in pixels (0 when it is
// not known) and its system palette (empty without one).
struct DisplayInfo {
    int width = 0;
    std::vector<Rgb> systemPalette;
};

// Draws the arrow at `incident` into the image (when one was picked), then
// stretches the image by r = printable width / display width, one character
// height in from the left, with its top at `top`. A printer that cannot take
// images gets nothing. A display width of 0 is replaced by the image width.
void PrintScreenImage(platform::Printer& printer, int top, ScreenImage image, IncidentPoint incident,
                      const DisplayInfo& display);

// The destination rectangle of the image for scale `r`: from `margin` to the
// scaled width less `margin`, from `top` down the scaled height. Scaled sizes
// are truncated and kept to 16 bits, as the device's coordinates are.
platform::Rect ImageDestination(double r, int imageWidth, int imageHeight, int margin, int top);

} // namespace qx::print
