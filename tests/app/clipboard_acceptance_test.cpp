#include "app/core/clipboard_acceptance.h"

#include "support/app_doubles.h"

#include <gtest/gtest.h>

namespace qx::app {
namespace {

constexpr platform::WindowHandle kEditor = 0x3a00007;

TEST(AcceptClipboardBitmap, TakesTheScreenOrTheForegroundWindowSizeOnly)
{
    struct Case {
        const char* name;
        int width, height;
        platform::WindowHandle foreground;
        std::optional<AcceptedCapture> result;
    };
    const Case cases[] = {
        {"the screen", 1024, 768, kEditor, AcceptedCapture{platform::kNoWindow}},
        {"the screen, no foreground window", 1024, 768, platform::kNoWindow, AcceptedCapture{platform::kNoWindow}},
        {"the foreground window", 640, 480, kEditor, AcceptedCapture{kEditor}},
        {"the window's size turned", 480, 640, kEditor, std::nullopt},
        {"one pixel less than the screen", 1023, 768, kEditor, std::nullopt},
        {"another size", 300, 200, kEditor, std::nullopt},
        {"no foreground window", 640, 480, platform::kNoWindow, std::nullopt},
        {"a foreground window whose size cannot be read", 640, 480, 0x77, std::nullopt},
    };
    for (const Case& c : cases) {
        test::FakeDesktop desktop;
        desktop.windows[kEditor] = platform::Size{640, 480};
        desktop.foreground = c.foreground;
        const auto result = AcceptClipboardBitmap(platform::BitmapInfo{c.width, c.height, 1, 32},
                                                  platform::Size{1024, 768}, desktop);
        EXPECT_EQ(result, c.result) << c.name;
    }
}

} // namespace
} // namespace qx::app
