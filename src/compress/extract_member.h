#pragma once

// Writes the output file of a packed archive: decodes an lh5 member or
// copies a stored one, reading the data that follows the header through the
// archive's read cache.

#include <cstdint>
#include <string>

#include "compress/archive_format.h"
#include "compress/read_cache.h"

namespace qx::compress {

inline constexpr std::int32_t kExtractNoMemory = 12;
inline constexpr std::int32_t kExtractCannotCreate = -1;

// Creates `outputPath` and writes the member's `header.SourceSize()` bytes
// to it. Returns 0 on success, kExtractNoMemory (nothing created),
// kExtractCannotCreate, or the Windows error number of the failure: a failed
// or short write (39 and 112 for a full volume), a failed read, packed or
// stored data that ends before the header says (38), corrupt packed data
// (13). On failure the output is deleted. Detaches `cache` in every case.
std::int32_t ExtractMember(ReadCache& cache, FileHandle archive, const MemberHeader& header,
                           const std::string& outputPath);

} // namespace qx::compress
