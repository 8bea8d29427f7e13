#pragma once

// Transfers a packed bitmap into a destination rectangle of the printer.

#include "bitmap/packed_dib.h"
#include "platform/printer.h"

namespace qx::print {

enum class PaintDibResult : int {
    Drawn = 0,           // drawn, or nothing to draw in an empty rectangle
    NoBitmap = 1,        // no bitmap, or a block that holds none
    NoDevice = 2,        // no printer
    UnscaledFailed = 16, // the pixel-for-pixel transfer failed
    ScaledFailed = 32,   // the stretched transfer failed
};

// The image fills `destination`, clipped to it: pixel for pixel when the
// sizes match, stretched otherwise.
PaintDibResult PaintDib(const bitmap::PackedDib* dib, platform::Printer* printer, const platform::Rect& destination);

} // namespace qx::print
