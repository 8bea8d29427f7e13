#pragma once

// Turns clipboard changes into capture requests. One change gives at most
// one request; while a request is pending or its capture runs (with its
// nested loops: notices, the report dialog, picks), further changes are
// ignored, not queued. The request runs later from the event loop, never
// inside the change notification. A request that arrives while the program
// is still starting is dropped, so the image already on the clipboard when
// the program starts opens nothing.

#include "platform/event_loop.h"

#include <functional>

namespace qx::app {

enum class StartPhase {
    Starting, // the main loop has not yet run its first task
    Running,
};

class CaptureWatcher {
public:
    CaptureWatcher(platform::EventLoop& loop, std::function<StartPhase()> phase, std::function<void()> capture);

    // A change of the clipboard (WM_DRAWCLIPBOARD).
    void OnClipboardChanged();

    bool IsCapturePending() const { return m_capturePending; }

private:
    // The posted request (WM_USER).
    void OnCaptureRequest();

    platform::EventLoop& m_loop;
    std::function<StartPhase()> m_phase;
    std::function<void()> m_capture;
    bool m_capturePending = false;
};

} // namespace qx::app
