#include "app/core/beta_app.h"

#include "config/keys.h"
#include "platform/posix/posix_file_reader.h"
#include "support/app_doubles.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qx::app {
namespace {

constexpr platform::WindowHandle kEditor = 0x3a00007;
constexpr platform::Size kScreen{1024, 768};

Bitmap Image(int width, int height)
{
    return MakeBitmap(width, height, 32);
}

class BetaAppTest : public ::testing::Test {
protected:
    BetaAppTest()
        : profile(scratch.Path() / "config")
    {
        std::filesystem::create_directories(scratch.Path() / "orvane");
        std::ofstream(scratch.File("orvane/orvane55.exe")) << "MZ";
        profile.Write(config::kSectionOrvane, config::kKeyInstallDir, scratch.File("orvane"));
        desktop.areas = {{kScreen, {0, 0, kScreen.width, kScreen.height}}};
        desktop.windows[kEditor] = platform::Size{640, 480};
        desktop.foreground = kEditor;
    }

    // Starts the program and runs its main loop until nothing is left to do;
    // the loop then stays open for what the test does next.
    bool Start()
    {
        app.emplace(AppServices{profile, files, messages, desktop, clipboard, loop, instance, watcher, surface,
                                dialogs, presence});
        return app->InitInstance();
    }

    void Capture(std::optional<Bitmap> image)
    {
        clipboard.Change(std::move(image));
        loop.RunPending();
    }

    test::ScratchDir scratch;
    config::Profile profile;
    platform::PosixFileReader files;
    test::RecordingMessageBoxes messages;
    test::FakeDesktop desktop;
    test::FakeClipboard clipboard;
    test::QueueEventLoop loop;
    test::FakeSingleInstance instance;
    test::FakeWatcherWindow watcher;
    test::ScriptedPickSurface surface;
    test::RecordingAppDialogs dialogs;
    test::FakePresence presence;
    std::optional<CBetaApp> app;
};

TEST_F(BetaAppTest, AFailedCheckEndsBeforeAnyWindow)
{
    profile.Write(config::kSectionOrvane, config::kKeyInstallDir, "");
    EXPECT_FALSE(Start());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(dialogs.startNotices, 0);
    EXPECT_EQ(instance.claims, 0);
    EXPECT_FALSE(watcher.created);
    EXPECT_EQ(loop.runs, 0);
}

TEST_F(BetaAppTest, AGoodStartShowsTheNoticeWatchesMinimisedAndGivesTheFocusBack)
{
    EXPECT_TRUE(Start());
    EXPECT_EQ(dialogs.startNotices, 1);
    EXPECT_TRUE(watcher.created);
    EXPECT_EQ(watcher.area, (platform::ScreenRect{0, 0, kScreen.width, kScreen.height}));
    EXPECT_EQ(watcher.shows, std::vector{platform::WatcherShow::Minimized});
    EXPECT_TRUE(clipboard.onChange != nullptr);
    EXPECT_EQ(desktop.foregroundSet, std::vector{kEditor});
    EXPECT_EQ(loop.runs, 1);
    EXPECT_EQ(app->Phase(), StartPhase::Running);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BetaAppTest, TheNoticeSwitchIsReadAtEveryStart)
{
    struct Case {
        std::optional<std::string> value;
        int notices;
    };
    const Case cases[] = {{std::nullopt, 1}, {"1", 1}, {"", 1}, {"0", 0}, {"0ff", 0}, {"yes", 1}};
    for (const Case& c : cases) {
        test::ScratchDir other;
        config::Profile own(other.Path());
        own.Write(config::kSectionOrvane, config::kKeyInstallDir, scratch.File("orvane"));
        if (c.value) own.Write(config::kSectionQxBeta, config::kKeyStartNotice, *c.value);
        test::RecordingAppDialogs ownDialogs;
        test::QueueEventLoop ownLoop;
        CBetaApp started(AppServices{own, files, messages, desktop, clipboard, ownLoop, instance, watcher, surface,
                                     ownDialogs, presence});
        started.InitInstance();
        EXPECT_EQ(ownDialogs.startNotices, c.notices) << c.value.value_or("(none)");
    }
}

TEST_F(BetaAppTest, ASecondCopyRaisesTheFirstAndEndsAfterCheckAndNotice)
{
    instance.result = platform::InstanceClaim::AlreadyRunning;
    EXPECT_TRUE(Start());
    EXPECT_EQ(dialogs.startNotices, 1);
    EXPECT_EQ(instance.claims, 1);
    EXPECT_FALSE(watcher.created);
    EXPECT_EQ(loop.runs, 0);
}

TEST_F(BetaAppTest, TheFirstCopyRaisesItsWatcherWhenALaterCopyStarts)
{
    Start();
    ASSERT_TRUE(instance.onRaiseRequested);
    instance.onRaiseRequested();
    EXPECT_EQ(watcher.raises, 1);
}

TEST_F(BetaAppTest, AWatcherThatCannotBeMadeEndsSilently)
{
    watcher.createResult = false;
    EXPECT_FALSE(Start());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(loop.runs, 0);
}

TEST_F(BetaAppTest, TheImageAlreadyOnTheClipboardAtStartOpensNothing)
{
    clipboard.bitmap = Image(kScreen.width, kScreen.height);
    Start();
    loop.RunPending();
    EXPECT_EQ(dialogs.reportDialogs, 0);
    EXPECT_EQ(desktop.sounds, 0);
    EXPECT_FALSE(app->Watcher().IsCapturePending());
}

TEST_F(BetaAppTest, AScreenImageBeepsShowsTheNoticeKeepsACopyAndOpensTheReport)
{
    Start();
    watcher.shows.clear();
    desktop.foregroundSet.clear();
    int width = 0;
    dialogs.whileReportDialog = [&](report::ReportApplication& application) {
        width = application.ScreenImage().width;
        EXPECT_EQ(watcher.shows, std::vector{platform::WatcherShow::Hidden});
    };
    Capture(Image(kScreen.width, kScreen.height));

    EXPECT_EQ(desktop.sounds, 1);
    EXPECT_EQ(dialogs.captureNotices, 1);
    EXPECT_EQ(dialogs.reportDialogs, 1);
    EXPECT_EQ(width, kScreen.width);
    EXPECT_EQ(app->ScreenWidth(), kScreen.width);
    EXPECT_EQ(app->ScreenHeight(), kScreen.height);
    EXPECT_EQ(watcher.shows, (std::vector{platform::WatcherShow::Hidden, platform::WatcherShow::Minimized}));
    EXPECT_EQ(desktop.foregroundSet, std::vector{kEditor});
}

TEST_F(BetaAppTest, ImagesOfOtherSizesOpenNothingAndMakeNoSound)
{
    Start();
    Capture(Image(300, 200));
    Capture(std::nullopt);
    EXPECT_EQ(desktop.sounds, 0);
    EXPECT_EQ(dialogs.captureNotices, 0);
    EXPECT_EQ(dialogs.reportDialogs, 0);
    EXPECT_TRUE(app->ScreenImage().IsNull());
}

TEST_F(BetaAppTest, TheForegroundWindowsImageIsAccepted)
{
    Start();
    Capture(Image(640, 480));
    EXPECT_EQ(dialogs.reportDialogs, 1);
    EXPECT_EQ(app->ScreenWidth(), 640);
}

TEST_F(BetaAppTest, ASecondImageWhileTheReportIsOpenOpensNothingMore)
{
    Start();
    dialogs.whileReportDialog = [&](report::ReportApplication&) {
        clipboard.Change(Image(kScreen.width, kScreen.height));
        loop.RunPending();
    };
    Capture(Image(kScreen.width, kScreen.height));
    EXPECT_EQ(dialogs.reportDialogs, 1);
    dialogs.whileReportDialog = nullptr;

    // Once it is closed, the next change counts again.
    Capture(Image(kScreen.width, kScreen.height));
    EXPECT_EQ(dialogs.reportDialogs, 2);
}

TEST_F(BetaAppTest, TheCaptureNoticeCanBeSwitchedOff)
{
    profile.Write(config::kSectionQxBeta, config::kKeyCaptureNotice, "0");
    Start();
    Capture(Image(kScreen.width, kScreen.height));
    EXPECT_EQ(dialogs.captureNotices, 0);
    EXPECT_EQ(dialogs.reportDialogs, 1);
}

TEST_F(BetaAppTest, AnImageGoneWhileTheNoticeWasOpenEndsTheCapture)
{
    Start();
    dialogs.whileCaptureNotice = [&] { clipboard.bitmap.reset(); };
    Capture(Image(kScreen.width, kScreen.height));
    EXPECT_EQ(dialogs.captureNotices, 1);
    EXPECT_EQ(dialogs.reportDialogs, 0);
    EXPECT_FALSE(app->Watcher().IsCapturePending());
}

TEST_F(BetaAppTest, TheKeptImageSurvivesItsReportUntilTheNextCapture)
{
    Start();
    Capture(Image(kScreen.width, kScreen.height));
    SetPixelColor(app->ScreenImage(), 0, 0, Rgb{255, 0, 0});
    Capture(Image(300, 200));
    EXPECT_EQ(PixelColor(app->ScreenImage(), 0, 0), (Rgb{255, 0, 0}));
    Capture(Image(kScreen.width, kScreen.height));
    EXPECT_EQ(PixelColor(app->ScreenImage(), 0, 0), (Rgb{0, 0, 0}));
}

TEST_F(BetaAppTest, ThePickShowsTheImageAndEndsAtTheFirstReleaseOrTheLoss)
{
    struct Case {
        const char* name;
        std::vector<test::PickStep> script;
        IncidentPoint point;
    };
    using Kind = test::PickStep::Kind;
    const Case cases[] = {
        {"left release", {{Kind::LeftUp, 300, 200}}, {300, 200}},
        {"right release", {{Kind::RightUp}}, {-1, 0}},
        {"surface lost", {{Kind::Lost}}, {-1, 0}},
        {"right then left", {{Kind::RightUp}, {Kind::LeftUp, 5, 5}}, {-1, 0}},
    };
    Start();
    for (const Case& c : cases) {
        surface.script = c.script;
        surface.shownWith.clear();
        surface.hides = 0;
        IncidentPoint picked;
        dialogs.whileReportDialog = [&](report::ReportApplication& application) {
            picked = application.PickIncidentPoint();
        };
        Capture(Image(kScreen.width, kScreen.height));
        EXPECT_EQ(picked, c.point) << c.name;
        EXPECT_EQ(app->LastIncidentPoint(), c.point) << c.name;
        EXPECT_EQ(surface.shownWith, std::vector{platform::ImagePlacement::CoversArea}) << c.name;
        EXPECT_EQ(surface.imageWidth, kScreen.width) << c.name;
        EXPECT_EQ(surface.hides, 1) << c.name;
    }
}

TEST_F(BetaAppTest, AWindowsImageIsPickedOnWhite)
{
    Start();
    surface.script = {{test::PickStep::Kind::LeftUp, 10, 10}};
    dialogs.whileReportDialog = [&](report::ReportApplication& application) { application.PickIncidentPoint(); };
    Capture(Image(640, 480));
    EXPECT_EQ(surface.shownWith, std::vector{platform::ImagePlacement::OnWhite});
    EXPECT_EQ(surface.shownOver, desktop.areas.front());
}

TEST_F(BetaAppTest, AMonitorPluggedInAfterTheStartIsCapturedAndPickedOverItself)
{
    Start();
    const platform::ScreenArea second{{1280, 1024}, {kScreen.width, 0, 1280, 1024}};
    desktop.areas.push_back(second);
    surface.script = {{test::PickStep::Kind::LeftUp, 10, 10}};
    dialogs.whileReportDialog = [&](report::ReportApplication& application) { application.PickIncidentPoint(); };
    Capture(Image(1280, 1024));
    EXPECT_EQ(dialogs.reportDialogs, 1);
    EXPECT_EQ(surface.shownWith, std::vector{platform::ImagePlacement::CoversArea});
    EXPECT_EQ(surface.shownOver, second);
    EXPECT_EQ(app->AcceptedSizes(), (std::vector<platform::Size>{kScreen, {1280, 1024}, {640, 480}}));
}

TEST_F(BetaAppTest, ClosingTheWatcherLeavesTheClipboardAndEndsTheLoop)
{
    // The close arrives from the main loop, as the tester's click would.
    loop.Post([this] { watcher.onClosed(); });
    loop.Post([this] { clipboard.Change(Image(kScreen.width, kScreen.height)); });
    Start();
    EXPECT_EQ(clipboard.stopCalls, 1);
    EXPECT_EQ(loop.runs, 1);
    EXPECT_EQ(dialogs.reportDialogs, 0);
}

TEST_F(BetaAppTest, TheStatusAreaSaysWhyTheLastImageWasNotTakenUntilOneIs)
{
    Start();
    ASSERT_TRUE(presence.menu);
    EXPECT_EQ(presence.toolTips, std::vector{WaitingStatus{}.ToolTip()});

    Capture(Image(300, 200));
    const CaptureRefusal refusal{{300, 200}, {kScreen, {640, 480}}};
    EXPECT_EQ(app->Status().LastRefusal(), refusal);
    EXPECT_EQ(presence.toolTips.back(), app->Status().ToolTip());
    // Text on the clipboard is no image: the refusal stays.
    Capture(std::nullopt);
    EXPECT_EQ(app->Status().LastRefusal(), refusal);

    // Without a foreground window only the screen's size counts.
    desktop.foreground = platform::kNoWindow;
    Capture(Image(640, 480));
    EXPECT_EQ(app->Status().LastRefusal(), (CaptureRefusal{{640, 480}, {kScreen}}));

    Capture(Image(kScreen.width, kScreen.height));
    EXPECT_FALSE(app->Status().LastRefusal());
    EXPECT_EQ(presence.toolTips.back(), WaitingStatus{}.ToolTip());
}

TEST_F(BetaAppTest, TheStatusAreasMenuShowsTheAboutBoxAndQuits)
{
    loop.Post([this] { presence.menu->about(); });
    loop.Post([this] { presence.menu->quit(); });
    loop.Post([this] { clipboard.Change(Image(kScreen.width, kScreen.height)); });
    Start();
    EXPECT_EQ(dialogs.abouts, 1);
    EXPECT_EQ(clipboard.stopCalls, 1);
    EXPECT_EQ(loop.runs, 1);
    EXPECT_EQ(dialogs.reportDialogs, 0);
}

TEST_F(BetaAppTest, QuitDuringACaptureEndsTheProgramOnceTheReportIsClosed)
{
    Start();
    dialogs.whileReportDialog = [&](report::ReportApplication&) {
        presence.menu->quit();
        EXPECT_EQ(clipboard.stopCalls, 0);
    };
    Capture(Image(kScreen.width, kScreen.height));
    EXPECT_EQ(dialogs.reportDialogs, 1);
    EXPECT_EQ(clipboard.stopCalls, 1);
}

TEST_F(BetaAppTest, WithoutAStatusAreaTheWatcherWindowAloneIsThere)
{
    presence.available = false;
    Start();
    EXPECT_TRUE(watcher.created);
    EXPECT_FALSE(presence.menu);
    Capture(Image(300, 200));
    EXPECT_EQ(dialogs.reportDialogs, 0);
}

} // namespace
} // namespace qx::app
