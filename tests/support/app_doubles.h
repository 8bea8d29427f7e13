#pragma once

// Doubles of the desktop services the application object runs on: an event
// loop with a plain queue, a clipboard, a desktop, the single-instance
// channel, the watcher window, a pick surface that plays a script, message
// boxes and dialogs that record what they were asked, and a status area.

#include "app/core/app_dialogs.h"
#include "platform/clipboard.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/message_boxes.h"
#include "platform/pick_surface.h"
#include "platform/presence.h"
#include "platform/single_instance.h"
#include "platform/watcher_window.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qx::test {

class QueueEventLoop final : public platform::EventLoop {
public:
    void Post(std::function<void()> task) override { m_tasks.push_back(std::move(task)); }

    // Runs the queue until Quit or until it is empty.
    void Run() override
    {
        m_quit = false;
        while (!m_quit && !m_tasks.empty()) RunOne();
        ++runs;
    }

    void Quit() override { m_quit = true; }

    // Runs every task posted so far and those they post.
    void RunPending()
    {
        while (!m_tasks.empty()) RunOne();
    }

    std::size_t Pending() const { return m_tasks.size(); }

    int runs = 0;

private:
    void RunOne()
    {
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        task();
    }

    std::deque<std::function<void()>> m_tasks;
    bool m_quit = false;
};

class FakeClipboard final : public platform::Clipboard {
public:
    std::optional<Bitmap> bitmap;
    std::function<void()> onChange;
    int stopCalls = 0;

    std::optional<platform::BitmapInfo> BitmapDescription() const override
    {
        if (!bitmap) return std::nullopt;
        return platform::BitmapInfo{bitmap->width, bitmap->height, bitmap->planes, bitmap->bitsPerPixel};
    }
    std::optional<Bitmap> CopyBitmap() const override { return bitmap; }
    void Watch(std::function<void()> callback) override { onChange = std::move(callback); }
    void StopWatching() override
    {
        ++stopCalls;
        onChange = nullptr;
    }

    // Puts `image` (or nothing) on the clipboard and tells the watcher.
    void Change(std::optional<Bitmap> image)
    {
        bitmap = std::move(image);
        if (onChange) onChange();
    }
};

class FakeDesktop final : public platform::Desktop {
public:
    std::vector<platform::ScreenArea> areas{{{1024, 768}, {0, 0, 1024, 768}}};
    platform::WindowHandle foreground = platform::kNoWindow;
    std::map<platform::WindowHandle, platform::Size> windows;
    std::vector<platform::WindowHandle> foregroundSet;
    int sounds = 0;

    std::vector<platform::ScreenArea> ScreenAreas() const override { return areas; }
    platform::WindowHandle ForegroundWindow() const override { return foreground; }
    bool IsWindow(platform::WindowHandle window) const override { return windows.contains(window); }
    void SetForegroundWindow(platform::WindowHandle window) override
    {
        foregroundSet.push_back(window);
        foreground = window;
    }
    std::optional<platform::Size> OuterSize(platform::WindowHandle window) const override
    {
        const auto it = windows.find(window);
        if (it == windows.end()) return std::nullopt;
        return it->second;
    }
    void PlayAsteriskSound() override { ++sounds; }
};

class FakeSingleInstance final : public platform::SingleInstance {
public:
    platform::InstanceClaim result = platform::InstanceClaim::First;
    std::function<void()> onRaiseRequested;
    int claims = 0;

    platform::InstanceClaim Claim(std::function<void()> callback) override
    {
        ++claims;
        onRaiseRequested = std::move(callback);
        return result;
    }
};

class FakeWatcherWindow final : public platform::WatcherWindow {
public:
    bool createResult = true;
    bool created = false;
    platform::ScreenRect area;
    std::function<void()> onClosed;
    std::vector<platform::WatcherShow> shows;
    int raises = 0;

    bool Create(platform::ScreenRect screen, std::function<void()> closed) override
    {
        created = createResult;
        area = screen;
        onClosed = std::move(closed);
        return createResult;
    }
    void Show(platform::WatcherShow show) override { shows.push_back(show); }
    void Raise() override { ++raises; }
};

// One event the surface reports during a pick.
struct PickStep {
    enum class Kind { LeftUp, RightUp, Lost } kind;
    int x = 0;
    int y = 0;
};

class ScriptedPickSurface final : public platform::PickSurface {
public:
    std::vector<PickStep> script;
    std::vector<platform::ImagePlacement> shownWith;
    platform::ScreenArea shownOver;
    int hides = 0;
    int imageWidth = 0;

    void Show(const Bitmap& image, platform::ImagePlacement placement, const platform::ScreenArea& over) override
    {
        imageWidth = image.width;
        shownWith.push_back(placement);
        shownOver = over;
    }
    void Hide() override { ++hides; }
    // Plays the whole script, as a surface that reports every event; the
    // pick itself decides which ones count.
    void RunPick(platform::PickEvents& events) override
    {
        for (const PickStep& step : script) {
            switch (step.kind) {
            case PickStep::Kind::LeftUp: events.OnLeftButtonUp(step.x, step.y); break;
            case PickStep::Kind::RightUp: events.OnRightButtonUp(); break;
            case PickStep::Kind::Lost: events.OnSurfaceLost(); break;
            }
        }
    }
};

struct ShownMessage {
    std::string text;
    std::optional<std::string> caption;
    platform::MessageIcon icon;
    platform::MessageModality modality;
};

class RecordingMessageBoxes final : public platform::MessageBoxes {
public:
    std::vector<ShownMessage> shown;

    void Show(const std::string& text, const std::optional<std::string>& caption, platform::MessageIcon icon,
              platform::MessageModality modality) override
    {
        shown.push_back(ShownMessage{text, caption, icon, modality});
    }
};

class RecordingAppDialogs final : public app::AppDialogs {
public:
    int startNotices = 0;
    int captureNotices = 0;
    int reportDialogs = 0;
    // Runs inside the capture notice, as the tester's actions would.
    std::function<void()> whileCaptureNotice;
    // Runs inside the report dialog.
    std::function<void(report::ReportApplication&)> whileReportDialog;

    void RunStartNotice() override { ++startNotices; }
    void RunCaptureNotice() override
    {
        ++captureNotices;
        if (whileCaptureNotice) whileCaptureNotice();
    }
    void RunReportDialog(report::ReportApplication& application) override
    {
        ++reportDialogs;
        if (whileReportDialog) whileReportDialog(application);
    }
    void RunAbout() override { ++abouts; }

    int abouts = 0;
};

// A status area that keeps its menu and the tooltip it was given; or none.
class FakePresence final : public platform::Presence {
public:
    bool available = true;
    std::optional<platform::PresenceMenu> menu;
    std::vector<std::string> toolTips;

    bool Show(platform::PresenceMenu shown) override
    {
        if (available) menu = std::move(shown);
        return available;
    }
    void SetToolTip(const std::string& text) override { toolTips.push_back(text); }
};

} // namespace qx::test
