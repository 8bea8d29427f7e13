#pragma once

// The window system's pixels and Qt's logical coordinates. Under Qt's own
// scaling (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS, Xft.dpi) Qt keeps each
// screen's origin and divides the rest by the screen's factor; on Wayland
// the compositor's logical space is Qt's.

#include "platform/desktop.h"

#include <QRectF>

class QScreen;

namespace qx::platform {

// How many window-system pixels one logical unit of `screen` covers.
qreal NativeFactor(const QScreen* screen);

// The screen showing the window-system point (x, y); the primary one when
// none does.
QScreen* ScreenAtNative(int x, int y);

// `native` in Qt's logical coordinates, by the factor of the screen that
// shows its top-left corner.
QRectF LogicalRect(const ScreenRect& native);

} // namespace qx::platform
