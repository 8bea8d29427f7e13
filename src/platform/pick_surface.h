#pragma once

// The full-screen surface on which the tester picks the incident point: a
// frameless window above all others at the screen's origin, showing the
// kept screen image under the pick cursor (cursor 133).

#include "platform/bitmap.h"

namespace qx::platform {

enum class ImagePlacement {
    CoversScreen, // an image of the screen's size
    OnWhite,      // a single window's image, at the top left on white
};

// What the surface reports while a pick runs. Coordinates are screen
// pixels, which are the image's pixels since the image starts at the
// screen's origin.
class PickEvents {
public:
    virtual ~PickEvents() = default;

    virtual void OnLeftButtonUp(int x, int y) = 0;
    virtual void OnRightButtonUp() = 0;
    // The surface was closed, hidden or unmapped before a button release.
    virtual void OnSurfaceLost() = 0;
    virtual bool IsPicking() const = 0;
};

class PickSurface {
public:
    virtual ~PickSurface() = default;

    virtual void Show(const Bitmap& image, ImagePlacement placement) = 0;
    virtual void Hide() = 0;

    // Holds the mouse and shows the pick cursor; feeds `events` with the
    // surface's button releases until it is no longer picking. Button
    // presses do nothing.
    virtual void RunPick(PickEvents& events) = 0;
};

} // namespace qx::platform
