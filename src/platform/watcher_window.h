#pragma once

// The watcher window: the program's taskbar button "QXBêta" while it waits
// for a capture. It cannot be restored by the tester; closing it ends the
// program.

#include "platform/desktop.h"

#include <functional>

namespace qx::platform {

enum class WatcherShow {
    Minimized, // a taskbar button
    Hidden,    // no taskbar button (while a report dialog is open)
};

class WatcherWindow {
public:
    virtual ~WatcherWindow() = default;

    // Makes the window, minimised, covering the primary monitor `screen`;
    // `onClosed` runs when the tester closes it. False when it cannot be
    // made.
    virtual bool Create(ScreenRect screen, std::function<void()> onClosed) = 0;

    virtual void Show(WatcherShow show) = 0;

    // To the top of the stacking order, without moving or sizing it.
    virtual void Raise() = 0;
};

} // namespace qx::platform
