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

std::vector<platform::Size> AcceptedSizes(platform::Size screen, const platform::Desktop& desktop)
{
    std::vector<platform::Size> sizes{screen};
    const platform::WindowHandle foreground = desktop.ForegroundWindow();
    if (foreground == platform::kNoWindow) return sizes;
    if (const std::optional<platform::Size> outer = desktop.OuterSize(foreground)) sizes.push_back(*outer);
    return sizes;
}

} // namespace qx::app
