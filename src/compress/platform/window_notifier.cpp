#include "compress/platform/window_notifier.h"

namespace qx::compress {
namespace {

WindowNotifier* g_notifier = nullptr;

} // namespace

WindowNotifier* SetWindowNotifier(WindowNotifier* notifier)
{
    WindowNotifier* previous = g_notifier;
    g_notifier = notifier;
    return previous;
}

WindowNotifier* CurrentWindowNotifier() { return g_notifier; }

} // namespace qx::compress
