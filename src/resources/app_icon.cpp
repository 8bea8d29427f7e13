#include "resources/app_icon.h"

#include <cstddef>
#include <string_view>

namespace qx::res {
namespace {

struct PaletteEntry {
    char key;
    std::uint32_t argb;
};

constexpr PaletteEntry kPalette[] = {
    {'.', 0x00000000}, // transparent
    {'k', 0xFF000000}, // outline
    {'w', 0xFFFFFFFF}, // paper
    {'l', 0xFFC0C0C0}, // folded corner
    {'g', 0xFF808080}, // lines of text
    {'b', 0xFF003399}, // band
    {'r', 0xFFCC0000}, // bug
};

constexpr std::string_view kArt[kAppIconSize] = {
    "................................",
    "....kkkkkkkkkkkkkkkkkk..........",
    "....kwwwwwwwwwwwwwwwwkk.........",
    "....kwwwwwwwwwwwwwwwwklk........",
    "....kwbbbbbbbbbbbbbbbbllk.......",
    "....kwbbbwwwbbbwbbbwbblllk......",
    "....kwbbwbbbwbbwbbbwbbllllk.....",
    "....kwbbwbbbwbbbwbwbbbkkkkkk....",
    "....kwbbwbbbwbbbbwbbbbwwwwwk....",
    "....kwbbwbwbwbbbwbwbbbwwwwwk....",
    "....kwbbwbbwbbbwbbbwbbwwwwwk....",
    "....kwbbbwwbwbbwbbbwbbwwwwwk....",
    "....kwbbbbbbbbbbbbbbbbwwwwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kwwggggggggggggggggggwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kwwggggggggggggggggggwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kwwwwwwwwwwwwwwkwwwwkwwk....",
    "....kwwgggggggggwwwwkwwkwwwk....",
    "....kwwwwwwwwwwwwwwwrkkrwwwk....",
    "....kwwwwwwwwwwwwwwrrkkrrwwk....",
    "....kwwgggggggggwwwrrkkrrwwk....",
    "....kwwwwwwwwwwwwwrrrkkrrrwk....",
    "....kwwwwwwwwwwwwwwrrkkrrwwk....",
    "....kwwgggggggggwwwrrkkrrwwk....",
    "....kwwwwwwwwwwwwwwwrkkrwwwk....",
    "....kwwwwwwwwwwwwwwwwwwwwwwk....",
    "....kkkkkkkkkkkkkkkkkkkkkkkk....",
    "................................",
};

// The colour of `key`; an unknown key fails the build through the
// static_assert below.
constexpr bool FindColour(char key, std::uint32_t& argb)
{
    for (const PaletteEntry& entry : kPalette) {
        if (entry.key == key) {
            argb = entry.argb;
            return true;
        }
    }
    return false;
}

constexpr bool ArtIsComplete()
{
    for (std::string_view row : kArt) {
        if (row.size() != kAppIconSize) return false;
        for (char c : row) {
            std::uint32_t unused = 0;
            if (!FindColour(c, unused)) return false;
        }
    }
    return true;
}
static_assert(ArtIsComplete());

constexpr IconPixels BuildPixels()
{
    IconPixels pixels{};
    for (std::size_t y = 0; y < kAppIconSize; ++y) {
        for (std::size_t x = 0; x < kAppIconSize; ++x) {
            FindColour(kArt[y][x], pixels[y * kAppIconSize + x]);
        }
    }
    return pixels;
}

constexpr IconPixels kPixels = BuildPixels();

} // namespace

const IconPixels& AppIconPixels()
{
    return kPixels;
}

} // namespace qx::res
