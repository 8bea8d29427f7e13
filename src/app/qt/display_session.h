#pragma once

// Which display the program watches. A program in the background learns of
// clipboard changes on X11, so on a Wayland desktop it runs through
// XWayland; without XWayland it watches through the compositor's
// data-control protocol on Qt's Wayland platform, and where the compositor
// offers none it cannot work and says so.

#include "platform/wayland/data_control_selection.h"

#include <memory>

namespace qx::app {

enum class DisplayKind {
    X11,
    WaylandDataControl,
    WaylandWithoutClipboard, // a compositor without data control
    WaylandUnreachable,      // no X, and no compositor answers
};

struct DisplaySession {
    DisplayKind kind = DisplayKind::X11;
    // The compositor's clipboard, for WaylandDataControl.
    std::unique_ptr<platform::wayland::DataControlSelection> selection;
};

// Chooses from the environment and sets QT_QPA_PLATFORM to match, before
// the application object is made. A platform the user chose is kept.
DisplaySession ChooseDisplaySession();

// The message shown when the compositor offers no data control (UTF-8).
extern const char* const kXWaylandNeeded;

} // namespace qx::app
