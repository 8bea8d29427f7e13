#include "app/core/clipboard_acceptance.h"

namespace qx::app {

std::optional<AcceptedCapture> AcceptClipboardBitmap(const platform::BitmapInfo& bitmap, platform::Size screen,
                                                     const platform::Desktop& desktop)
{
    const platform::Size size{bitmap.width, bitmap.height};
    if (size == screen) return AcceptedCapture{platform::kNoWindow};

    const platform::WindowHandle foreground = desktop.ForegroundWindow();
    if (foreground == platform::kNoWindow) return std::nullopt;
    const std::optional<platform::Size> outer = desktop.OuterSize(foreground);
    if (!outer || *outer != size) return std::nullopt;
    return AcceptedCapture{foreground};
}

} // namespace qx::app
