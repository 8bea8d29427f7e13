#pragma once

// Free space of the volume that holds a path.

#include <cstdint>
#include <optional>

namespace qx::compress {

// The free bytes of the volume holding `path` (or, for a name that does not
// exist, its directory), at most 2147483647; none when they cannot be found.
std::optional<std::int32_t> GetFreeDiskBytes(const char* path);

} // namespace qx::compress
