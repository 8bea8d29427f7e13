#pragma once

// A connection to the compositor of $WAYLAND_DISPLAY, closed when it goes.

#include <memory>

struct wl_display;

namespace qx::platform::wayland {

struct DisplayCloser {
    void operator()(wl_display* display) const;
};
using DisplayConnection = std::unique_ptr<wl_display, DisplayCloser>;

// Null when $WAYLAND_DISPLAY is unset or its compositor cannot be reached.
DisplayConnection Connect();

} // namespace qx::platform::wayland
