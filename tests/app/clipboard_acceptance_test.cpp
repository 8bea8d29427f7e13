#include "app/core/clipboard_acceptance.h"

#include "support/app_doubles.h"

#include <gtest/gtest.h>

namespace qx::app {
namespace {

constexpr platform::WindowHandle kEditor = 0x3a00007;

// Two monitors side by side, as RandR reports them, and the whole desktop.
const platform::ScreenArea kLeft{{1920, 1080}, {0, 0, 1920, 1080}};
const platform::ScreenArea kRight{{1280, 1024}, {1920, 0, 1280, 1024}};
const platform::ScreenArea kDesktop{{3200, 1080}, {0, 0, 3200, 1080}};

// XWayland at 150 %: the X desktop is 853x480, the screenshots 1280x720.
const platform::ScreenArea kScaledPhysical{{1280, 720}, {0, 0, 853, 480}};
const platform::ScreenArea kScaledLogical{{853, 480}, {0, 0, 853, 480}};

TEST(AcceptClipboardBitmap, TakesAMonitorTheDesktopOrTheForegroundWindowSizeOnly)
{
    struct Case {
        const char* name;
        std::vector<platform::ScreenArea> areas;
        int width, height;
        platform::WindowHandle foreground;
        std::optional<AcceptedCapture> result;
    };
    const std::vector<platform::ScreenArea> two{kLeft, kRight, kDesktop};
    const std::vector<platform::ScreenArea> scaled{kScaledPhysical, kScaledLogical};
    const Case cases[] = {
        {"the primary monitor", two, 1920, 1080, kEditor, AcceptedCapture{platform::kNoWindow, kLeft}},
        {"the second monitor", two, 1280, 1024, kEditor, AcceptedCapture{platform::kNoWindow, kRight}},
        {"the whole desktop", two, 3200, 1080, kEditor, AcceptedCapture{platform::kNoWindow, kDesktop}},
        {"a monitor, no foreground window", two, 1280, 1024, platform::kNoWindow,
         AcceptedCapture{platform::kNoWindow, kRight}},
        {"the foreground window, shown over the primary monitor", two, 640, 480, kEditor,
         AcceptedCapture{kEditor, kLeft}},
        {"a scaled desktop's physical size", scaled, 1280, 720, kEditor,
         AcceptedCapture{platform::kNoWindow, kScaledPhysical}},
        {"a scaled desktop's logical size", scaled, 853, 480, kEditor,
         AcceptedCapture{platform::kNoWindow, kScaledLogical}},
        {"the physical size one pixel off", scaled, 1281, 720, kEditor, std::nullopt},
        {"the window's size turned", two, 480, 640, kEditor, std::nullopt},
        {"one pixel less than the second monitor", two, 1280, 1023, kEditor, std::nullopt},
        {"the two monitors' widths at the shorter height", two, 3200, 1024, kEditor, std::nullopt},
        {"another size", two, 300, 200, kEditor, std::nullopt},
        {"no foreground window", two, 640, 480, platform::kNoWindow, std::nullopt},
        {"a foreground window whose size cannot be read", two, 640, 480, 0x77, std::nullopt},
        {"no display", {}, 640, 480, kEditor, std::nullopt},
    };
    for (const Case& c : cases) {
        test::FakeDesktop desktop;
        desktop.areas = c.areas;
        desktop.windows[kEditor] = platform::Size{640, 480};
        desktop.foreground = c.foreground;
        const auto result = AcceptClipboardBitmap(platform::BitmapInfo{c.width, c.height, 1, 32}, desktop);
        EXPECT_EQ(result, c.result) << c.name;
    }
}

TEST(AcceptClipboardBitmap, AsksTheDesktopAtEachCheck)
{
    test::FakeDesktop desktop;
    desktop.areas = {kLeft};
    const platform::BitmapInfo secondMonitor{1280, 1024, 1, 32};
    EXPECT_FALSE(AcceptClipboardBitmap(secondMonitor, desktop));
    // A monitor plugged in.
    desktop.areas = {kLeft, kRight, kDesktop};
    EXPECT_TRUE(AcceptClipboardBitmap(secondMonitor, desktop));
    // The resolution changed.
    desktop.areas = {{{1600, 900}, {0, 0, 1600, 900}}};
    EXPECT_FALSE(AcceptClipboardBitmap(platform::BitmapInfo{1920, 1080, 1, 32}, desktop));
    EXPECT_TRUE(AcceptClipboardBitmap(platform::BitmapInfo{1600, 900, 1, 32}, desktop));
}

TEST(AcceptedSizes, ListsEachSizeOnceWithTheForegroundWindowLast)
{
    test::FakeDesktop desktop;
    desktop.areas = {kLeft, {kLeft.image, kLeft.area}, kRight, kDesktop};
    EXPECT_EQ(AcceptedSizes(desktop),
              (std::vector<platform::Size>{{1920, 1080}, {1280, 1024}, {3200, 1080}}));
    desktop.windows[kEditor] = platform::Size{640, 480};
    desktop.foreground = kEditor;
    EXPECT_EQ(AcceptedSizes(desktop),
              (std::vector<platform::Size>{{1920, 1080}, {1280, 1024}, {3200, 1080}, {640, 480}}));
}

} // namespace
} // namespace qx::app
