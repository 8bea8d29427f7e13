#pragma once

// The program's bitmap and Qt's image, both ways. A bitmap keeps the
// clipboard image's own depth: indexed images stay indexed (8 bits per
// pixel), 16 and 24-bit images keep their depth, every other image becomes
// 32 bits per pixel.

#include "platform/bitmap.h"

#include <QImage>

namespace qx::platform {

// The bits per pixel that BitmapFromQImage gives `image`.
int BitmapDepthOf(const QImage& image);

Bitmap BitmapFromQImage(const QImage& image);

// A null image for a null bitmap or a depth the bitmap type does not know.
QImage QImageFromBitmap(const Bitmap& bitmap);

} // namespace qx::platform
