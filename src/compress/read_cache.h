#pragma once

// The archive's read cache: 16000 bytes read ahead from one handle. Held
// bytes sit at the end of the buffer, so the next byte to hand out is at
// offset 16000 minus the number held. Reads of any other handle go straight
// to the file.

#include <cstdint>
#include <span>

#include "compress/platform/handle_file.h"
#include "compress/platform/last_error.h"
#include "compress/platform/memory_block.h"

namespace qx::compress {

class ReadCache {
public:
    static constexpr std::uint32_t kCapacity = 16000;

    // False when the buffer cannot be allocated (the cache stays detached).
    bool Attach(FileHandle handle);
    // Frees the buffer; doing it twice does nothing.
    void Detach();

    // Hands out up to `n` bytes and returns how many. A failed system read
    // counts as 0 bytes read and is remembered (Failed, Error).
    std::uint32_t Read(FileHandle handle, void* destination, std::uint32_t n);

    // The bytes held, refilled from the file when none are: empty at the
    // end of the file or after a failed read. For readers that take bytes
    // one by one without a copy.
    std::span<const std::uint8_t> Held()
    {
        if (held_ == 0) Refill();
        return {Next(), held_};
    }
    void Consume(std::uint32_t n) { held_ -= n; }

    bool Failed() const { return error_ != kErrorNone; }
    ErrorCode Error() const { return error_; }

private:
    void Refill();
    std::uint32_t ReadFile(FileHandle handle, std::uint8_t* destination, std::uint32_t n);
    // Without a buffer nothing is held and this points nowhere in particular.
    const std::uint8_t* Next() const { return buffer_.get() + kCapacity - held_; }

    FileHandle handle_ = kBadHandle;
    BlockPtr<std::uint8_t[]> buffer_;
    std::uint32_t held_ = 0;
    ErrorCode error_ = kErrorNone;
};

} // namespace qx::compress
