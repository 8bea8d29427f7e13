#pragma once

// Packing for the encoder's tests: a source written to a scratch file goes
// through WriteMember into an archive file, which is read back whole.

#include <cstdint>
#include <string>
#include <vector>

#include "compress/platform/file_ops.h"
#include "compress/platform/memory_block.h"
#include "compress/write_member.h"
#include "support/scratch_dir.h"

namespace qx::test {

using Bytes = std::vector<std::uint8_t>;

struct Packed {
    compress::MemberResult result = compress::MemberResult::WriteFailed;
    Bytes archive;
};

// What a test puts in place for one packing.
struct PackSetting {
    compress::FileOps* files = nullptr;              // for the whole call, opens included
    compress::MemorySource* writeMemory = nullptr;  // for WriteMember only, after the tree exists
};

// Packs `source` (stored as `dir`/source.bin, the name given to the header).
Packed PackWithWriteMember(const ScratchDir& dir, const Bytes& source, const PackSetting& setting = {});

// The lh5 data of a packed archive (between header and trailer).
Bytes PackedData(const Bytes& archive);

// The bytes nfDecompacte extracts from `archive`; `code` gets its result.
Bytes Extract(const ScratchDir& dir, const Bytes& archive, int& code);

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);

} // namespace qx::test
