#pragma once

// Which clipboard bitmaps are screen captures: one of exactly a monitor's or
// the whole desktop's size (Print Screen), or of exactly the foreground
// window's outer size (Alt+Print Screen). Any other image is ignored. The
// sizes are asked of the desktop at each check, so a monitor plugged in or
// a resolution changed counts at once.

#include "platform/clipboard.h"
#include "platform/desktop.h"

#include <optional>
#include <vector>

namespace qx::app {

struct AcceptedCapture {
    // The window whose size the image has; kNoWindow for a screen.
    platform::WindowHandle capturedWindow = platform::kNoWindow;
    // What the image is shown over during the pick: the monitor or desktop
    // it shows, or the primary monitor for a window's image.
    platform::ScreenArea shownOver;
    friend bool operator==(const AcceptedCapture&, const AcceptedCapture&) = default;
};

// Nothing when `bitmap` is no capture. The foreground window is asked for
// only when the image is of no screen area's size.
std::optional<AcceptedCapture> AcceptClipboardBitmap(const platform::BitmapInfo& bitmap,
                                                     const platform::Desktop& desktop);

// The sizes a capture can have now, each once: the monitors', the whole
// desktop's, then the foreground window's outer size when there is one.
std::vector<platform::Size> AcceptedSizes(const platform::Desktop& desktop);

} // namespace qx::app
