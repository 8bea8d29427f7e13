#pragma once

// Writing one packed archive member, the compressor's entry point for
// nfCompacte:
//
//   auto job = AllocBlockOf<CompressJob>();   // null: memory missing
//   AllocMatchTables(job->tree);              // false: memory missing
//   job->sourceSlot = source; job->archiveSlot = archive;
//   WriteMember(*job, header);
//   FreeMatchTables(job->tree);
//
// The member is written from the archive's current position: a lead byte, the
// header block, the lh5 data and a two-byte trailer; or, when packing does not
// pay, the source's bytes unchanged with the archive cut after them.

#include "compress/archive_format.h"
#include "compress/compress_job.h"

namespace qx::compress {

enum class MemberResult {
    Written,       // a packed member or a plain copy
    WriteFailed,   // a write, cut or move of the archive failed; the work went
                   // on to the end, and what was written stays
    NoBlockBuffer, // not even the block buffer's 1024 bytes: nothing written
};

// Writes the member for the source (read from its current position) into the
// archive, with `header`'s name field as the caller filled it; the method and
// sizes are set here. The tree tables must be allocated.
MemberResult WriteMember(CompressJob& job, MemberHeader& header);

} // namespace qx::compress
