#include "app/core/clipboard_acceptance.h"

#include <algorithm>

namespace qx::app {

namespace {

std::optional<platform::Size> ForegroundOuterSize(const platform::Desktop& desktop,
                                                  platform::WindowHandle foreground)
{
    if (foreground == platform::kNoWindow) return std::nullopt;
    return desktop.OuterSize(foreground);
}

} // namespace

std::optional<AcceptedCapture> AcceptClipboardBitmap(const platform::BitmapInfo& bitmap,
                                                     const platform::Desktop& desktop)
{
    const platform::Size size{bitmap.width, bitmap.height};
    const std::vector<platform::ScreenArea> areas = desktop.ScreenAreas();
    const auto shown = std::ranges::find(areas, size, &platform::ScreenArea::image);
    if (shown != areas.end()) return AcceptedCapture{platform::kNoWindow, *shown};
    if (areas.empty()) return std::nullopt;

    const platform::WindowHandle foreground = desktop.ForegroundWindow();
    if (ForegroundOuterSize(desktop, foreground) != size) return std::nullopt;
    return AcceptedCapture{foreground, areas.front()};
}

std::vector<platform::Size> AcceptedSizes(const platform::Desktop& desktop)
{
    std::vector<platform::Size> sizes;
    const auto add = [&sizes](platform::Size size) {
        if (std::ranges::find(sizes, size) == sizes.end()) sizes.push_back(size);
    };
    for (const platform::ScreenArea& area : desktop.ScreenAreas()) add(area.image);
    if (const auto outer = ForegroundOuterSize(desktop, desktop.ForegroundWindow())) add(*outer);
    return sizes;
}

} // namespace qx::app
