#pragma once

// The screens and the foreground window on X11: the monitors from RandR and
// the root window (under XWayland also the Wayland outputs' physical sizes),
// read anew at each call; the active window is the window manager's
// _NET_ACTIVE_WINDOW, its outer size the client size with the frame extents
// (_NET_FRAME_EXTENTS) the manager adds. On any other Qt platform there is
// no screen and no foreground window.

#include "platform/desktop.h"

namespace qx::platform {

class X11Desktop final : public Desktop {
public:
    std::vector<ScreenArea> ScreenAreas() const override;
    WindowHandle ForegroundWindow() const override;
    bool IsWindow(WindowHandle window) const override;
    void SetForegroundWindow(WindowHandle window) override;
    std::optional<Size> OuterSize(WindowHandle window) const override;
    void PlayAsteriskSound() override;
};

} // namespace qx::platform
