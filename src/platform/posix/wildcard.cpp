#include "platform/posix/wildcard.h"

#include "text/ascii_case.h"

#include <cstddef>

namespace qx::platform {

bool MatchesWildcard(std::string_view name, std::string_view pattern)
{
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string_view::npos; // after the last "*" seen
    std::size_t starName = 0;                         // where that "*" resumes in the name
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || text::ToLowerAscii(pattern[p]) == text::ToLowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

} // namespace qx::platform
