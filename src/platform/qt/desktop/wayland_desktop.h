#pragma once

// The screens on a Wayland desktop without X: each output's physical size
// over its place in the compositor's logical space, then all of them.
// Wayland tells no client which window is active, so no window's image is
// taken here.

#include "platform/desktop.h"

namespace qx::platform {

class WaylandDesktop final : public Desktop {
public:
    std::vector<ScreenArea> ScreenAreas() const override;
    WindowHandle ForegroundWindow() const override { return kNoWindow; }
    bool IsWindow(WindowHandle) const override { return false; }
    void SetForegroundWindow(WindowHandle) override {}
    std::optional<Size> OuterSize(WindowHandle) const override { return std::nullopt; }
    void PlayAsteriskSound() override;
};

} // namespace qx::platform
