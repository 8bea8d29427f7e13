#pragma once

// The extractor's write cache: output bytes gathered into one 16000-byte
// buffer before they go to the file. Writes to any other handle go straight
// to the file. A write that writes fewer bytes than asked fails.

#include <cstdint>

#include "compress/platform/handle_file.h"
#include "compress/platform/memory_block.h"

namespace qx::compress {

class OutputCache {
public:
    static constexpr std::uint32_t kCapacity = 16000;

    // False when the buffer cannot be allocated.
    bool Attach(FileHandle handle);
    bool Write(FileHandle handle, const void* data, std::uint32_t n);
    // Detaches, writes what is held and frees the buffer.
    bool Flush();

private:
    FileHandle handle_ = kBadHandle;
    BlockPtr<std::uint8_t[]> buffer_;
    std::uint32_t fill_ = 0;
};

} // namespace qx::compress
