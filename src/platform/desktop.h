#pragma once

// The screen and the other programs' windows, as the capture rules see them.

#include <cstdint>
#include <optional>

namespace qx::platform {

// A top-level window of any program; 0 is none.
using WindowHandle = std::uint64_t;
inline constexpr WindowHandle kNoWindow = 0;

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // The primary screen in device pixels.
    virtual Size ScreenSize() const = 0;

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
