#include "compress/platform/window_notifier.h"

#include "compress/platform/win32/windows_api.h"

namespace qx::compress {
namespace {

// The window active on the calling thread, told by a posted message: the
// caller's window procedure runs when its own message loop gets there, never
// inside the library's call.
class ActiveWindowNotifier final : public WindowNotifier {
public:
    WindowId ActiveWindow() override { return reinterpret_cast<WindowId>(GetActiveWindow()); }
    void Send(WindowId window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        if (window != kNoWindow) PostMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam);
    }
};

ActiveWindowNotifier g_activeWindow;
WindowNotifier* g_notifier = &g_activeWindow;

} // namespace

WindowNotifier* SetWindowNotifier(WindowNotifier* notifier)
{
    WindowNotifier* previous = g_notifier;
    g_notifier = notifier;
    return previous;
}

WindowNotifier* CurrentWindowNotifier() { return g_notifier; }

} // namespace qx::compress
