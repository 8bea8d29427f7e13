#include "platform/wayland/wayland_connection.h"

#include <wayland-client.h>

#include <cstdlib>

namespace qx::platform::wayland {

void DisplayCloser::operator()(wl_display* display) const
{
    wl_display_disconnect(display);
}

DisplayConnection Connect()
{
    // Without the variable libwayland would try "wayland-0" on its own.
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') return nullptr;
    return DisplayConnection(wl_display_connect(nullptr));
}

} // namespace qx::platform::wayland
