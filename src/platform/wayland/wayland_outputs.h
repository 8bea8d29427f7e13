#pragma once

// The outputs of the Wayland compositor this program's session runs under:
// each output's current mode in device pixels and where it lies in the
// compositor's logical space (xdg-output). A screenshot tool of the
// compositor copies the device pixels, while an X program under XWayland
// sees the logical layout.

#include "platform/desktop.h"

#include <string>
#include <vector>

namespace qx::platform::wayland {

struct Output {
    std::string name;
    Size physical; // the current mode, turned as the output is
    ScreenRect logical;
};

// Asks the compositor of $WAYLAND_DISPLAY now; nothing when there is none
// or it cannot be reached.
std::vector<Output> ReadOutputs();

// The device-pixel size of an image of all outputs: each output at its
// logical place scaled by its own factor, the box around them.
Size PhysicalBounds(const std::vector<Output>& outputs);

} // namespace qx::platform::wayland
