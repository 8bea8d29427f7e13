#pragma once

// Cursor 133, shown while the tester picks the incident point: an arrow whose
// tip is the hot spot and that inverts the screen under it, with a white
// question mark outlined in black at its lower right. Two colours, 32 by 32.

#include <array>
#include <cstdint>

namespace qx::res {

inline constexpr int kPickCursorSize = 32;

struct CursorHotSpot {
    int x = 0;
    int y = 0;
};

inline constexpr CursorHotSpot kPickCursorHotSpot{0, 0};

// What a cursor pixel does to the screen under it.
enum class CursorPixel {
    Screen,       // transparent
    Black,
    White,
    InvertScreen,
};

// The monochrome cursor masks as the platform combines them with the screen
// (screen AND andMask, then XOR xorMask): 0/0 black, 0/1 white, 1/0 screen,
// 1/1 inverted screen. Row r is the r-th row from the top; bit 31 is the
// leftmost pixel.
struct CursorMasks {
    std::array<std::uint32_t, kPickCursorSize> andMask{};
    std::array<std::uint32_t, kPickCursorSize> xorMask{};
};

const CursorMasks& PickCursorMasks();

// The pixel at (x, y); Screen outside the cursor.
CursorPixel PickCursorPixel(int x, int y);

} // namespace qx::res
