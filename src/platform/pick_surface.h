#pragma once

// The full-screen surface on which the tester picks the incident point: a
// frameless window above all others over the monitor or the desktop the
// image shows, showing the kept screen image under the pick cursor
// (cursor 133).

#include "platform/bitmap.h"
#include "platform/desktop.h"

namespace qx::platform {

enum class ImagePlacement {
    CoversArea, // an image of a monitor's or the desktop's size
    OnWhite,    // a single window's image, at the area's top left on white
};

// What the surface reports while a pick runs. Coordinates are the image's
// pixels, whatever the scale the desktop is shown at.
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

    // Covers `over.area`, one image pixel on each of the area's device
    // pixels (`over.image` of them).
    virtual void Show(const Bitmap& image, ImagePlacement placement, const ScreenArea& over) = 0;
    virtual void Hide() = 0;

    // Holds the mouse and shows the pick cursor; feeds `events` with the
    // surface's button releases until it is no longer picking. Button
    // presses do nothing.
    virtual void RunPick(PickEvents& events) = 0;
};

} // namespace qx::platform
