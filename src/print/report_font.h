#pragma once

// The one font of the printed report.

#include "platform/printer.h"

namespace qx::print {

// a * b / c rounded half away from zero in 64 bits; -1 when c is 0 or the
// result does not fit, as the Windows helper of the same name does.
int MulDiv(int a, int b, int c);

// "MS Sans Serif", 10 points at the printer's vertical resolution, weight
// 600, fixed pitch, swiss family. A printer without that face gives the
// nearest fixed-pitch font it has.
platform::FontSpec ReportFontSpec(int logPixelsY);

} // namespace qx::print
