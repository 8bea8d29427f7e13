#pragma once

// The system clipboard's bitmap, as the capture handler takes it.

#include "platform/bitmap.h"

#include <functional>
#include <optional>

namespace qx::platform {

// What a bitmap's description tells before its pixels are copied.
struct BitmapInfo {
    int width = 0;
    int height = 0;
    int planes = 1;
    int bitsPerPixel = 32;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // The description of the bitmap on the clipboard; nothing when the
    // clipboard holds no bitmap.
    virtual std::optional<BitmapInfo> BitmapDescription() const = 0;

    // A copy of the bitmap on the clipboard, in its own format; nothing when
    // there is none now.
    virtual std::optional<Bitmap> CopyBitmap() const = 0;

    // `onChange` runs, from the event loop, after every change of the
    // clipboard's contents, until StopWatching.
    virtual void Watch(std::function<void()> onChange) = 0;
    virtual void StopWatching() = 0;
};

} // namespace qx::platform
