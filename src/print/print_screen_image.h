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

// The room for the image under the page header, in printer pixels: the
// printable width less one character height on each side, and the height
// from the image's top down to the foot of the printable area.
struct ImageBox {
    int width = 0;
    int height = 0;
};

// Printer pixels per image pixel: the screen's width across the box (a
// display width of 0 stands for the image's width), made smaller when the
// image would not fit the box's width or height. 0 when nothing fits.
double ImageScale(const ImageBox& box, int imageWidth, int imageHeight, int displayWidth);

// The destination rectangle of the image for scale `r`: `margin` in from the
// left, with its top at `top`, the scaled size truncated.
platform::Rect ImageDestination(double r, int imageWidth, int imageHeight, int margin, int top);

// The arrow's scale: 2 (50 image pixels), or larger so that the arrow is at
// least 8 mm long on paper at scale `r` and `pixelsPerInch`.
float MarkerScale(double r, int pixelsPerInch);

// Draws the arrow at `incident` into the image (when one was picked), at
// the picked point and wholly inside the image, then prints the image under
// the page header with its top at `top`, aspect kept, wholly inside the
// printable area (ImageScale). A printer that cannot take images gets
// nothing.
void PrintScreenImage(platform::Printer& printer, int top, ScreenImage image, IncidentPoint incident,
                      const DisplayInfo& display);

} // namespace qx::print
