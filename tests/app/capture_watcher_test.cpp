#include "app/core/capture_watcher.h"

#include "support/app_doubles.h"

#include <gtest/gtest.h>

namespace qx::app {
namespace {

struct WatcherFixture {
    test::QueueEventLoop loop;
    StartPhase phase = StartPhase::Running;
    int captures = 0;
    std::function<void()> duringCapture;
    CaptureWatcher watcher{loop, [this] { return phase; }, [this] {
                               ++captures;
                               if (duringCapture) duringCapture();
                           }};
};

TEST(CaptureWatcher, RunsTheCaptureLaterFromTheLoopNotInsideTheNotification)
{
    WatcherFixture f;
    f.watcher.OnClipboardChanged();
    EXPECT_EQ(f.captures, 0);
    EXPECT_TRUE(f.watcher.IsCapturePending());
    f.loop.RunPending();
    EXPECT_EQ(f.captures, 1);
    EXPECT_FALSE(f.watcher.IsCapturePending());
}

TEST(CaptureWatcher, ChangesWhileARequestIsPendingAreNotQueued)
{
    WatcherFixture f;
    f.watcher.OnClipboardChanged();
    f.watcher.OnClipboardChanged();
    f.watcher.OnClipboardChanged();
    EXPECT_EQ(f.loop.Pending(), 1u);
    f.loop.RunPending();
    EXPECT_EQ(f.captures, 1);
}

TEST(CaptureWatcher, ChangesDuringTheCaptureAreIgnoredAndTheNextChangeCountsAgain)
{
    WatcherFixture f;
    // A second Print Screen, or text copied in the report dialog.
    f.duringCapture = [&] { f.watcher.OnClipboardChanged(); };
    f.watcher.OnClipboardChanged();
    f.loop.RunPending();
    EXPECT_EQ(f.captures, 1);
    EXPECT_EQ(f.loop.Pending(), 0u);

    f.duringCapture = nullptr;
    f.watcher.OnClipboardChanged();
    f.loop.RunPending();
    EXPECT_EQ(f.captures, 2);
}

TEST(CaptureWatcher, DropsARequestWhileStartingAndClearsItsPendingMark)
{
    WatcherFixture f;
    f.phase = StartPhase::Starting;
    f.watcher.OnClipboardChanged();
    f.loop.RunPending();
    EXPECT_EQ(f.captures, 0);
    EXPECT_FALSE(f.watcher.IsCapturePending());

    f.phase = StartPhase::Running;
    f.watcher.OnClipboardChanged();
    f.loop.RunPending();
    EXPECT_EQ(f.captures, 1);
}

} // namespace
} // namespace qx::app
