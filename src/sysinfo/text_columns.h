#pragma once

// The "%-Ns" of the report's column lines: padded with blanks, never cut.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx::sysinfo {

inline std::string PadRight(std::string_view text, std::size_t width)
{
    std::string padded(text);
    if (padded.size() < width) padded.append(width - padded.size(), ' ');
    return padded;
}

} // namespace qx::sysinfo
