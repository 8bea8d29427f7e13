#pragma once

// Writing one packed archive member: the compressor's entry points for
// nfCompacte.
//
//   auto job = AllocCompressJob();            // null: memory missing
//   AllocMatchTree(*job);                     // false: memory missing
//   SetJobSlots(*job, source, archive);
//   WriteMember(*job, header);                // false: see BlockBufferMissing
//   FreeMatchTree(*job);
//
// The member is written from the archive's current position: a lead byte, the
// header block, the lh5 data and a two-byte trailer; or, when packing does not
// pay, the source's bytes unchanged with the archive cut after them.

#include "compress/archive_format.h"
#include "compress/compress_job.h"
#include "compress/platform/file_slots.h"
#include "compress/platform/memory_block.h"

namespace qx::compress {

// A zero-filled job, or null when memory is missing.
BlockPtr<CompressJob> AllocCompressJob();

// The match tree's seven tables; false (none kept) when memory is missing.
bool AllocMatchTree(CompressJob& job);
// Frees the tables; safe after a failed AllocMatchTree and twice.
void FreeMatchTree(CompressJob& job);

void SetJobSlots(CompressJob& job, FileSlot source, FileSlot archive);

// Writes the member for the source (read from its current position) into the
// archive, with `header`'s name field as the caller filled it; the method and
// sizes are set here. True when a packed member or a plain copy was written;
// false when a write, cut or move of the archive failed (the work goes on to
// the end first, and what was written stays), or when the block buffer could
// not be allocated (BlockBufferMissing; then nothing was written).
bool WriteMember(CompressJob& job, MemberHeader& header);

// True after WriteMember failed for want of the block buffer's 1024 bytes.
bool BlockBufferMissing(const CompressJob& job);

} // namespace qx::compress
