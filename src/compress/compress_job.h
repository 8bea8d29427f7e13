#pragma once

// The state of one nfCompacte call: the two file slots, the match finder,
// the block encoder and the bit writer with the archive's write cache.
// Allocated zero-filled as one memory block (AllocBlockOf), so every
// part is a plain structure whose zero state is "nothing yet".

#include "compress/bit_writer.h"
#include "compress/block_encoder.h"
#include "compress/match_tree.h"
#include "compress/platform/file_slots.h"

namespace qx::compress {

struct CompressJob {
    FileSlot archiveSlot;
    FileSlot sourceSlot;
    MatchTree tree;
    BlockEncoder blocks;
    BitWriter output; // bytesRead, bytesWritten, unpackable, writeFailed, the cache
};

} // namespace qx::compress
