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
    // Tops up to at least 16 bits: eight bytes at once when the cache and
    // the packed data both hold them. The bytes beyond those counted are the
    // stream's next ones, so a later top-up ORs the same bits in again.
    void Refill()
    {
        if (packedLeft_ >= 8) {
            const auto held = cache_.Held();
            if (held.size() >= 8) {
                std::uint64_t word = 0;
                for (int i = 0; i < 8; ++i) word = word << 8 | held[i];
                bits_ |= word >> count_;
                const std::uint32_t take = (63 - count_) / 8;
                cache_.Consume(take);
                packedLeft_ -= take;
                count_ += 8 * take;
                return;
            }
        }
        RefillByBytes();
    }
    // Byte by byte near the end of the packed data or of the cache.
    void RefillByBytes();

    ReadCache& cache_;
    std::uint32_t packedLeft_;
    std::uint64_t bits_ = 0;  // upcoming bits, top-aligned
    unsigned count_ = 0;      // valid bits in bits_
    ErrorCode error_ = kErrorNone;
};

} // namespace qx::compress
