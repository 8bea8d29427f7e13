#pragma once

// Free space of the volume that holds a path.

#include <cstdint>

namespace qx::compress {

inline constexpr std::int32_t kUnknownFreeSpace = -1;

// The free bytes of the volume holding `path` (or, for a name that does not
// exist, its directory), at most 2147483647; kUnknownFreeSpace when they
// cannot be found.
std::int32_t GetFreeDiskBytes(const char* path);

} // namespace qx::compress
