#pragma once

// Which clipboard bitmaps are screen captures: one of exactly the screen's
// size (Print Screen), or of exactly the foreground window's outer size
// (Alt+Print Screen). Any other image is ignored.

#include "platform/clipboard.h"
#include "platform/desktop.h"

#include <optional>
#include <vector>

namespace qx::app {

struct AcceptedCapture {
    // The window whose size the image has; kNoWindow for a full screen.
    platform::WindowHandle capturedWindow = platform::kNoWindow;
    friend bool operator==(const AcceptedCapture&, const AcceptedCapture&) = default;
};

// Nothing when `bitmap` is no capture. The foreground window is asked for
// only when the image is not of the screen's size.
std::optional<AcceptedCapture> AcceptClipboardBitmap(const platform::BitmapInfo& bitmap, platform::Size screen,
                                                     const platform::Desktop& desktop);

// The sizes an image is taken at now: the screen's, then the foreground
// window's outer size when there is one.
std::vector<platform::Size> AcceptedSizes(platform::Size screen, const platform::Desktop& desktop);

} // namespace qx::app
