#pragma once

// The archive's write cache: data bytes of the bit writer gathered into one
// buffer of 16000 bytes before they go to the file slot. The buffer lives in
// the cache itself (the job that holds it is one zero-filled block), so
// attaching cannot fail.

#include <cstdint>

#include "compress/platform/file_slots.h"

namespace qx::compress {

class WriteCache {
public:
    static constexpr std::uint32_t kCapacity = 16000;
    // Room the buffer is declared with; at most kCapacity bytes are used.
    static constexpr std::uint32_t kBufferSize = 16100;

    void Attach(FileSlot slot)
    {
        slot_ = slot;
        fill_ = 0;
    }

    // Appends one byte; a full buffer is written out first. False when
    // that write failed.
    bool Put(std::uint8_t byte)
    {
        if (fill_ + 1 <= kCapacity) {
            buffer_[fill_++] = byte;
            return true;
        }
        return PutAfterWrite(byte);
    }

    // Detaches and writes what is held. False when the write failed.
    bool Flush();

private:
    bool PutAfterWrite(std::uint8_t byte);

    // Zero-filled in a new job: a slot of 0 is no slot in use.
    FileSlot slot_;
    std::uint32_t fill_;
    std::uint8_t buffer_[kBufferSize];
};

} // namespace qx::compress
