#include "compress/bit_reader.h"

#include <algorithm>

namespace qx::compress {

void BitReader::RefillByBytes()
{
    while (count_ <= 56) {
        if (packedLeft_ == 0) {
            // Past the packed data: zero bits, which bits_ already holds.
            count_ = 64;
            return;
        }
        const auto held = cache_.Held();
        if (held.empty()) {
            error_ = cache_.Failed() ? cache_.Error() : kErrorHandleEof;
            packedLeft_ = 0;
            continue;
        }
        const std::uint32_t room = (64 - count_) / 8;
        const std::uint32_t take = std::min({room, packedLeft_, static_cast<std::uint32_t>(held.size())});
        for (std::uint32_t i = 0; i < take; ++i) {
            bits_ |= std::uint64_t{held[i]} << (56 - count_);
            count_ += 8;
        }
        cache_.Consume(take);
        packedLeft_ -= take;
    }
}

} // namespace qx::compress
