#include "app/core/capture_watcher.h"

#include <utility>

namespace qx::app {

CaptureWatcher::CaptureWatcher(platform::EventLoop& loop, std::function<StartPhase()> phase,
                               std::function<void()> capture)
    : m_loop(loop)
    , m_phase(std::move(phase))
    , m_capture(std::move(capture))
{
}

void CaptureWatcher::OnClipboardChanged()
{
    if (m_capturePending) return;
    m_capturePending = true;
    m_loop.Post([this] { OnCaptureRequest(); });
}

void CaptureWatcher::OnCaptureRequest()
{
    if (m_phase() == StartPhase::Running) m_capture();
    m_capturePending = false;
}

} // namespace qx::app
