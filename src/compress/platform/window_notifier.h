#pragma once

// The message the extractor sends to the window that was active when it read
// the archive header, once the extraction succeeded (WM_USER + 150 with
// wParam 100). A desktop program installs a notifier; without one (command
// line use) the message goes nowhere. The Win32 build starts with one that
// posts the message to the window active on the calling thread.

#include <cstdint>

namespace qx::compress {

using WindowId = std::uintptr_t;
inline constexpr WindowId kNoWindow = 0;
inline constexpr unsigned kExtractedMessage = 0x0400 + 150;
inline constexpr std::uintptr_t kExtractedWParam = 100;

class WindowNotifier {
public:
    virtual ~WindowNotifier() = default;
    virtual WindowId ActiveWindow() = 0;
    // Delivers `message` to `window`; kNoWindow must be accepted and ignored.
    virtual void Send(WindowId window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

// Installs `notifier` (null: none) and returns the previous one.
WindowNotifier* SetWindowNotifier(WindowNotifier* notifier);
WindowNotifier* CurrentWindowNotifier();

} // namespace qx::compress
