#pragma once

// Dialog units to pixels. A horizontal dialog unit is a quarter of the
// dialog font's average character width, a vertical one an eighth of its
// character height, so a template keeps its proportions with any font.

#include "resources/dialog_template.h"

#include <QFont>
#include <QRect>

namespace qx::ui {

struct BaseUnits {
    int cx = 0; // average character width in pixels
    int cy = 0; // character height in pixels
    friend bool operator==(const BaseUnits&, const BaseUnits&) = default;
};

// The base units of `font`: the average width of the 52 letters of the
// alphabet, rounded, and the font's height.
BaseUnits BaseUnitsOf(const QFont& font);

// MulDiv(du, base, 4) horizontally and MulDiv(du, base, 8) vertically,
// rounded to the nearest pixel.
int DialogUnitsToPixelsX(int du, BaseUnits units);
int DialogUnitsToPixelsY(int du, BaseUnits units);

// The rectangle converted corner by corner, as the platform maps dialog
// rectangles: width and height are the differences of the converted edges.
QRect MapDialogRect(const res::DialogRect& rect, BaseUnits units);

} // namespace qx::ui
