#include "platform/qt/desktop/wayland_desktop.h"

#include "platform/wayland/wayland_outputs.h"

#include <QApplication>

#include <algorithm>

namespace qx::platform {

std::vector<ScreenArea> WaylandDesktop::ScreenAreas() const
{
    const std::vector<wayland::Output> outputs = wayland::ReadOutputs();
    if (outputs.empty()) return {};
    std::vector<ScreenArea> areas;
    int left = outputs.front().logical.x;
    int top = outputs.front().logical.y;
    int right = left;
    int bottom = top;
    for (const wayland::Output& output : outputs) {
        areas.push_back(ScreenArea{output.physical, output.logical});
        left = std::min(left, output.logical.x);
        top = std::min(top, output.logical.y);
        right = std::max(right, output.logical.x + output.logical.width);
        bottom = std::max(bottom, output.logical.y + output.logical.height);
    }
    const ScreenArea whole{wayland::PhysicalBounds(outputs), ScreenRect{left, top, right - left, bottom - top}};
    if (std::ranges::find(areas, whole) == areas.end()) areas.push_back(whole);
    return areas;
}

void WaylandDesktop::PlayAsteriskSound()
{
    QApplication::beep();
}

} // namespace qx::platform
