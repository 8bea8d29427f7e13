#pragma once

// The application object: the start-up sequence, the watcher's rules, the
// capture of a screen image and the pick of the incident point, over the
// platform's services. The whole life of the program runs inside
// InitInstance.

#include "app/core/app_dialogs.h"
#include "app/core/capture_watcher.h"
#include "app/core/incident_pick.h"
#include "app/core/waiting_status.h"
#include "config/profile.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/file_reader.h"
#include "platform/message_boxes.h"
#include "platform/pick_surface.h"
#include "platform/presence.h"
#include "platform/single_instance.h"
#include "platform/watcher_window.h"
#include "report/report_application.h"

namespace qx::app {

struct AppServices {
    const config::Profile& profile;
    platform::FileReader& files;
    platform::MessageBoxes& messages;
    platform::Desktop& desktop;
    platform::Clipboard& clipboard;
    platform::EventLoop& loop;
    platform::SingleInstance& instance;
    platform::WatcherWindow& watcher;
    platform::PickSurface& pickSurface;
    AppDialogs& dialogs;
    platform::Presence& presence;
};

class CBetaApp final : public report::ReportApplication {
public:
    explicit CBetaApp(AppServices services);

    // Check, notice, single instance, watcher, then the main loop until the
    // watcher window is closed. False when the program refused to start (the
    // installation check failed or the watcher window cannot be made); true
    // when it ran, or handed over to the copy already running.
    bool InitInstance();

    // One capture request: the clipboard image checked and kept, the
    // capture notice, the report dialog.
    void CaptureScreen();

    // True when the clipboard holds an image of a monitor's, the whole
    // desktop's or the foreground window's size; remembers which. An image
    // of another size is remembered as the last refusal, which the status
    // area's tooltip shows.
    bool IsAcceptedClipboardBitmap();

    // The sizes a clipboard image would be taken at now.
    std::vector<platform::Size> AcceptedSizes() const;

    // "Quitter" of the status area's menu: the end of the program, as when
    // the watcher window is closed; asked during a capture, once its report
    // dialog has been closed.
    void RequestQuit();

    // The image over the whole screen (null puts the surface away).
    void ShowCapturedImage(const Bitmap* image);

    // report::ReportApplication
    Bitmap& ScreenImage() override { return m_hScreenBitmap; }
    IncidentPoint PickIncidentPoint() override;
    bool CheckInstallation(std::string& installDir) override;

    const CaptureWatcher& Watcher() const { return m_watcher; }
    StartPhase Phase() const { return m_bStarting; }
    int ScreenWidth() const { return m_nScreenWidth; }
    int ScreenHeight() const { return m_nScreenHeight; }
    IncidentPoint LastIncidentPoint() const { return m_pick.Point(); }
    const WaitingStatus& Status() const { return m_status; }

private:
    void RestoreForeground(platform::WindowHandle window);
    void EndWatching();
    void ShowStatus();

    AppServices m_services;

    Bitmap m_hScreenBitmap;
    int m_nScreenWidth = 0;
    int m_nScreenHeight = 0;
    StartPhase m_bStarting = StartPhase::Starting;

    // The watcher's state: the pending request, the window the last
    // accepted image showed and what it is shown over, the pick.
    CaptureWatcher m_watcher;
    platform::WindowHandle m_hCapturedWnd = platform::kNoWindow;
    platform::ScreenArea m_shownOver;
    IncidentPick m_pick;
    bool m_watcherCreated = false;
    WaitingStatus m_status;
    // A capture's notices, report dialog and picks are running.
    bool m_capturing = false;
    bool m_quitRequested = false;
};

} // namespace qx::app
