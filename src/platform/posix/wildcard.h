#pragma once

// File-name patterns of the directory search: "*" any run of characters,
// "?" one character, letters compared without regard to ASCII case.

#include <string_view>

namespace qx::platform {

bool MatchesWildcard(std::string_view name, std::string_view pattern);

} // namespace qx::platform
