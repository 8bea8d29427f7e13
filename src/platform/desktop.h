#pragma once

// The screen and the other programs' windows, as the capture rules see them.

#include <cstdint>
#include <optional>
#include <vector>

namespace qx::platform {

// A top-level window of any program; 0 is none.
using WindowHandle = std::uint64_t;
inline constexpr WindowHandle kNoWindow = 0;

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle in the window system's own pixels (the X root window's on
// X11, the compositor's logical space on Wayland).
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Something a screenshot can show whole: a monitor or the whole desktop.
// `image` is the size of its screenshot in device pixels, as the display
// server reports it; `area` is where it lies on the desktop. The two differ
// when the server shows this program a scaled desktop (XWayland at 150 %).
struct ScreenArea {
    Size image;
    ScreenRect area;
    friend bool operator==(const ScreenArea&, const ScreenArea&) = default;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Every monitor, the primary one first, then the whole desktop, as the
    // display server reports them now. Never empty while a display is there.
    virtual std::vector<ScreenArea> ScreenAreas() const = 0;

    // The window that has the keyboard focus of the desktop, or kNoWindow.
    virtual WindowHandle ForegroundWindow() const = 0;
    virtual bool IsWindow(WindowHandle window) const = 0;
    virtual void SetForegroundWindow(WindowHandle window) = 0;

    // The window's outer size, frame and caption included; nothing when it
    // cannot be read.
    virtual std::optional<Size> OuterSize(WindowHandle window) const = 0;

    // The platform's "asterisk" sound.
    virtual void PlayAsteriskSound() = 0;
};

} // namespace qx::platform
