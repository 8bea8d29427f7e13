#pragma once

// The program's mark in the desktop's status area while it waits: the
// product icon with a tooltip and a small menu. Desktops without a status
// area show nothing; the watcher window is there in any case.

#include <functional>
#include <string>

namespace qx::platform {

struct PresenceMenu {
    std::function<void()> about; // the about box
    std::function<void()> quit;  // the end of the program
};

class Presence {
public:
    virtual ~Presence() = default;

    // Shows the icon and its menu where the desktop has a status area;
    // false, and nothing shown, where it has none.
    virtual bool Show(PresenceMenu menu) = 0;

    // Windows-1252, lines separated by "\r\n".
    virtual void SetToolTip(const std::string& text) = 0;
};

} // namespace qx::platform
