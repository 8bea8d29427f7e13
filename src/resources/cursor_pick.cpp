#include "resources/cursor_pick.h"

#include <cstddef>
#include <string_view>

namespace qx::res {
namespace {

// '.' screen, 'i' inverted screen, 'k' black, 'w' white.
constexpr std::string_view kArt[kPickCursorSize] = {
    "i...............................",
    "ii..............................",
    "iii.............................",
    "iiii............................",
    "iiiii...........................",
    "iiiiii..........................",
    "iiiiiii.........................",
    "iiiiiiii........................",
    "iiiiiiiii.......................",
    "iiiiiiiiii......................",
    "iiiiiii.........................",
    "iii.iiii........................",
    "ii...iii........................",
    "i....iiii.......................",
    ".....iiii.......................",
    "......iiii......................",
    "......iiii......................",
    ".......ii...........kkkkkkkk....",
    "...................kkwwwwwwkk...",
    "...................kwwwwwwwwk...",
    "...................kwwkkkkwwk...",
    "...................kkkkkkkwwk...",
    "......................kkwwwkk...",
    "......................kwwwkk....",
    "......................kwwkk.....",
    "......................kwwk......",
    "......................kkkk......",
    "......................kwwk......",
    "......................kwwk......",
    "......................kkkk......",
    "................................",
    "................................",
};

constexpr bool ArtIsComplete()
{
    for (std::string_view row : kArt) {
        if (row.size() != kPickCursorSize) return false;
        for (char c : row) {
            if (c != '.' && c != 'i' && c != 'k' && c != 'w') return false;
        }
    }
    return true;
}
static_assert(ArtIsComplete());

constexpr CursorMasks BuildMasks()
{
    CursorMasks masks;
    for (std::size_t y = 0; y < kPickCursorSize; ++y) {
        for (std::size_t x = 0; x < kPickCursorSize; ++x) {
            const char c = kArt[y][x];
            const std::uint32_t bit = 1u << (kPickCursorSize - 1 - x);
            if (c == '.' || c == 'i') masks.andMask[y] |= bit;
            if (c == 'i' || c == 'w') masks.xorMask[y] |= bit;
        }
    }
    return masks;
}

constexpr CursorMasks kMasks = BuildMasks();

} // namespace

const CursorMasks& PickCursorMasks()
{
    return kMasks;
}

CursorPixel PickCursorPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= kPickCursorSize || y >= kPickCursorSize) return CursorPixel::Screen;
    const std::uint32_t bit = 1u << (kPickCursorSize - 1 - x);
    const bool keepsScreen = (kMasks.andMask[static_cast<std::size_t>(y)] & bit) != 0;
    const bool flips = (kMasks.xorMask[static_cast<std::size_t>(y)] & bit) != 0;
    if (keepsScreen) return flips ? CursorPixel::InvertScreen : CursorPixel::Screen;
    return flips ? CursorPixel::White : CursorPixel::Black;
}

} // namespace qx::res
