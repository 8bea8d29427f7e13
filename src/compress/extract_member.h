#pragma once

// Writes the output file of a packed archive: decodes an lh5 member or
// copies a stored one, reading the data that follows the header through the
// archive's read cache.

#include <cstdint>
#include <string>

#include "compress/archive_format.h"
#include "compress/read_cache.h"

namespace qx::compress {

enum class MemberOutput {
    Written,
    VolumeFull, // a write failed for want of room (Windows error 39 or 112)
    Failed,     // memory missing, the output cannot be created, a write or
                // read failed, the data ends before the header says or is corrupt
};

// Creates `outputPath` and writes the member's `header.SourceSize()` bytes
// to it. On failure the output is deleted (when memory is missing, it is not
// even created). Detaches `cache` in every case.
MemberOutput ExtractMember(ReadCache& cache, FileHandle archive, const MemberHeader& header,
                           const std::string& outputPath);

} // namespace qx::compress
