#pragma once

// ASCII case folding: only the letters A to Z and a to z change case, every
// other byte (Windows-1252 or UTF-8 alike) stays as it is and orders as an
// unsigned byte. This is how file names of the Windows file system compare in
// the C locale; the profile's names, which also fold Windows-1252 accented
// letters, have their own rule in config/name_case.h. Header-only, so that
// libqxcompress uses it without linking anything.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace qx::text {

constexpr char ToLowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char ToUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Negative, zero or positive as `a` orders before, with or after `b` once both
// are folded to lower case; a prefix orders first.
constexpr int CompareIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(ToLowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(ToLowerAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareIgnoringAsciiCase(a, b) == 0;
}

inline std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), ToUpperAscii);
    return upper;
}

} // namespace qx::text
