#pragma once

// The lh5 encoder's main loop: one-step lazy matching over the match tree.
// A match found at one position is used only when the next position does not
// find a longer one; otherwise the byte goes out as a literal.

#include <cstdint>

#include "compress/compress_job.h"

namespace qx::compress {

// Reads the whole source through the tree's window and hands every literal
// and match to the block encoder, until the source ends or packing stops
// paying. The tree tables and the block buffer must be allocated.
void Encode(CompressJob& job);

// Reads up to n bytes of the source and returns the count (0 at its end).
// A read refused as access denied or a lock violation takes the unreadable
// byte to be "M", skips it and reads the rest; any other failure ends the data.
std::uint32_t ReadSource(CompressJob& job, std::uint8_t* destination, std::uint32_t n);

} // namespace qx::compress
