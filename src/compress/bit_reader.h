#pragma once

// The lh5 bit stream of a packed member, most significant bit first, read
// through the archive's read cache. Once the packed data is used up the
// stream goes on with zero bits; when the archive ends (or a read fails)
// while packed bytes are still owed, the stream is cut short: zeros follow
// and Error() tells why.

#include <cstdint>

#include "compress/platform/last_error.h"
#include "compress/read_cache.h"

namespace qx::compress {

class BitReader {
public:
    BitReader(ReadCache& cache, std::uint32_t packedSize) : cache_(cache), packedLeft_(packedSize) { Refill(); }

    // The next 16 bits of the stream, the first in bit 15.
    std::uint32_t Peek16() const { return static_cast<std::uint32_t>(bits_ >> 48); }

    // Drops `n` bits (0 to 16).
    void Skip(unsigned n)
    {
        bits_ <<= n;
        count_ -= n;
        if (count_ < 16) Refill();
    }

    // The next `n` bits (0 to 16) as a number.
    std::uint32_t Get(unsigned n)
    {
        const std::uint32_t value = n == 0 ? 0 : static_cast<std::uint32_t>(bits_ >> (64 - n));
        Skip(n);
        return value;
    }

    // kErrorNone, or why the packed data ended early.
    ErrorCode Error() const { return error_; }

private:
    void Refill();

    ReadCache& cache_;
    std::uint32_t packedLeft_;
    std::uint64_t bits_ = 0;  // upcoming bits, top-aligned
    unsigned count_ = 0;      // valid bits in bits_
    ErrorCode error_ = kErrorNone;
};

} // namespace qx::compress
