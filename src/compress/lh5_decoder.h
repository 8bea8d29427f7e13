#pragma once

// The lh5 decoder: static Huffman blocks over an 8192-byte dictionary. The
// caller's 8192-byte output buffer is the dictionary ring: every call but the
// last of a member fills it completely, so an output position modulo 8192 is
// its index in the buffer.

#include <cstdint>

#include "compress/bit_reader.h"
#include "compress/decode_tables.h"

namespace qx::compress {

inline constexpr std::uint32_t kDictionarySize = 8192;

class Lh5Decoder {
public:
    // `tables` must be zero-filled.
    Lh5Decoder(BitReader& bits, DecodeTables& tables) : bits_(bits), t_(tables) {}

    // Fills buffer[0 .. count - 1] (count at most 8192) with the next output
    // bytes. False when the stream is corrupt; the buffer is then undefined.
    bool DecodeBytes(std::uint32_t count, std::uint8_t* buffer);

private:
    bool StartBlock();
    bool ReadSmallLengths(int count, int countBits, int special);
    bool ReadSymbolLengths();
    // Walks the tree below a direct-table entry; `mask` is the stream bit of
    // the first step within Peek16. kTreeNodeCount when the walk is too long.
    int WalkTree(int node, int symbolCount, std::uint32_t mask) const;
    int DecodeSymbol();
    int DecodePosition();
    bool Copy(std::uint32_t& r, std::uint32_t count, std::uint8_t* buffer);

    BitReader& bits_;
    DecodeTables& t_;
    std::uint16_t copyFrom_ = 0;
    std::int32_t copyLeft_ = 0;
    bool corrupt_ = false;
};

} // namespace qx::compress
