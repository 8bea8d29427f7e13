#include "app/core/beta_app.h"

#include "app/core/clipboard_acceptance.h"
#include "app/core/installation_check.h"
#include "config/keys.h"
#include "config/notices.h"

namespace qx::app {

CBetaApp::CBetaApp(AppServices services)
    : m_services(services)
    , m_watcher(services.loop, [this] { return m_bStarting; },
                [this] {
                    m_capturing = true;
                    CaptureScreen();
                    m_capturing = false;
                    if (m_quitRequested) EndWatching();
                })
{
}

bool CBetaApp::InitInstance()
{
    const platform::WindowHandle foreground = m_services.desktop.ForegroundWindow();

    std::string installDir;
    if (!CheckInstallation(installDir)) return false;

    if (config::IsNoticeEnabled(m_services.profile, config::kKeyStartNotice)) m_services.dialogs.RunStartNotice();

    const auto raise = [this] {
        if (m_watcherCreated) m_services.watcher.Raise();
    };
    if (m_services.instance.Claim(raise) == platform::InstanceClaim::AlreadyRunning) return true;

    const std::vector<platform::ScreenArea> areas = m_services.desktop.ScreenAreas();
    const platform::ScreenRect primary = areas.empty() ? platform::ScreenRect{} : areas.front().area;
    m_watcherCreated = m_services.watcher.Create(primary, [this] { EndWatching(); });
    if (!m_watcherCreated) return false;

    m_services.watcher.Show(platform::WatcherShow::Minimized);
    if (m_services.presence.Show({[this] { m_services.dialogs.RunAbout(); }, [this] { RequestQuit(); }})) {
        ShowStatus();
    }
    m_services.clipboard.Watch([this] { m_watcher.OnClipboardChanged(); });
    // Joining the viewers tells the new viewer of the present contents at
    // once; the start-up guard drops that request.
    m_watcher.OnClipboardChanged();

    RestoreForeground(foreground);

    m_services.loop.Post([this] { m_bStarting = StartPhase::Running; });
    m_services.loop.Run();
    return true;
}

void CBetaApp::CaptureScreen()
{
    if (!IsAcceptedClipboardBitmap()) return;

    m_services.desktop.PlayAsteriskSound();

    if (config::IsNoticeEnabled(m_services.profile, config::kKeyCaptureNotice)) {
        m_services.dialogs.RunCaptureNotice();
    }

    // The clipboard may have changed while the notice was open.
    std::optional<Bitmap> image = m_services.clipboard.CopyBitmap();
    if (!image) return;
    m_hScreenBitmap = std::move(*image);
    m_nScreenWidth = m_hScreenBitmap.width;
    m_nScreenHeight = m_hScreenBitmap.height;

    const platform::WindowHandle foreground = m_services.desktop.ForegroundWindow();
    m_services.watcher.Show(platform::WatcherShow::Hidden);

    m_services.dialogs.RunReportDialog(*this);

    m_services.watcher.Show(platform::WatcherShow::Minimized);
    RestoreForeground(foreground);
}

bool CBetaApp::IsAcceptedClipboardBitmap()
{
    const std::optional<platform::BitmapInfo> description = m_services.clipboard.BitmapDescription();
    if (!description) return false;
    const std::optional<AcceptedCapture> accepted = AcceptClipboardBitmap(*description, m_services.desktop);
    if (!accepted) {
        m_status.OnImageRefused({{description->width, description->height}, AcceptedSizes()});
        ShowStatus();
        return false;
    }
    m_hCapturedWnd = accepted->capturedWindow;
    m_shownOver = accepted->shownOver;
    m_status.OnImageTaken();
    ShowStatus();
    return true;
}

std::vector<platform::Size> CBetaApp::AcceptedSizes() const
{
    return app::AcceptedSizes(m_services.desktop);
}

void CBetaApp::RequestQuit()
{
    if (m_capturing) {
        m_quitRequested = true;
        return;
    }
    EndWatching();
}

void CBetaApp::EndWatching()
{
    m_services.clipboard.StopWatching();
    m_services.loop.Quit();
}

void CBetaApp::ShowStatus()
{
    m_services.presence.SetToolTip(m_status.ToolTip());
}

void CBetaApp::ShowCapturedImage(const Bitmap* image)
{
    if (image == nullptr) {
        m_services.pickSurface.Hide();
        return;
    }
    m_services.pickSurface.Show(*image,
                                m_hCapturedWnd == platform::kNoWindow ? platform::ImagePlacement::CoversArea
                                                                      : platform::ImagePlacement::OnWhite,
                                m_shownOver);
}

IncidentPoint CBetaApp::PickIncidentPoint()
{
    m_pick.Begin();
    ShowCapturedImage(&m_hScreenBitmap);
    m_services.pickSurface.RunPick(m_pick);
    ShowCapturedImage(nullptr);
    return m_pick.Point();
}

bool CBetaApp::CheckInstallation(std::string& installDir)
{
    return app::CheckInstallation(m_services.profile, m_services.files, m_services.messages, installDir);
}

void CBetaApp::RestoreForeground(platform::WindowHandle window)
{
    if (window != platform::kNoWindow && m_services.desktop.IsWindow(window)) {
        m_services.desktop.SetForegroundWindow(window);
    }
}

} // namespace qx::app
