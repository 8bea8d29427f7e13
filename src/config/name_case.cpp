#include "config/name_case.h"

#include "text/ascii_case.h"

namespace qx::config {

char FoldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) return text::ToLowerAscii(c);
    // "À" to "Þ" (without the multiplication sign) lie 0x20 below their
    // lower-case forms, as in ASCII.
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) return static_cast<char>(byte + 0x20);
    switch (byte) {
    case 0x8A: return static_cast<char>(0x9A); // Š š
    case 0x8C: return static_cast<char>(0x9C); // Œ œ
    case 0x8E: return static_cast<char>(0x9E); // Ž ž
    case 0x9F: return static_cast<char>(0xFF); // Ÿ ÿ
    default: return c;
    }
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

} // namespace qx::config
