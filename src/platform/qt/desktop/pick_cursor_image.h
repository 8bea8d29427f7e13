#pragma once

// Cursor 133 drawn over a known background: black and white pixels as they
// are, transparent pixels showing the background, inverting pixels showing
// it inverted. The pick surface draws the cursor itself, since it knows the
// image beneath it and X11 cursors cannot invert.

#include <QImage>
#include <QPoint>

namespace qx::platform {

// The 32 by 32 cursor as it looks with its hot spot at `hotSpot` over
// `background` (pixels outside the background count as white).
QImage PickCursorOver(const QImage& background, QPoint hotSpot);

} // namespace qx::platform
