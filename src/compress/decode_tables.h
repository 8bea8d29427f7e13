#pragma once

// Decoding tables of the lh5 decoder: for each alphabet a direct table on
// the top bits of the stream (12 bits for the 510 symbols, 8 for the small
// alphabets) and, for longer codes, tree nodes in `left` and `right`.

#include <cstdint>

namespace qx::compress {

inline constexpr int kSymbolCount = 510;      // 256 literals, match lengths 3 to 256
inline constexpr int kLengthSymbolCount = 19; // code-length symbols
inline constexpr int kClassCount = 14;        // position classes
inline constexpr int kTreeNodeCount = 2 * kSymbolCount - 1;
inline constexpr int kSymbolTableBits = 12;
inline constexpr int kSmallTableBits = 8;
inline constexpr int kMaxCodeLength = 16;

struct DecodeTables {
    std::uint8_t symbolLen[kSymbolCount];
    std::uint8_t smallLen[kLengthSymbolCount];
    std::uint16_t blockLeft;
    std::uint16_t symbolTable[1 << kSymbolTableBits];
    std::uint16_t smallTable[1 << kSmallTableBits];
    std::uint16_t left[kTreeNodeCount];
    std::uint16_t right[kTreeNodeCount];
};

// Fills `table` (2^tableBits entries) and the tree nodes from the code
// lengths `bitLength[0 .. symbolCount - 1]`, canonical codes in symbol order.
// False, with nothing read out of bounds, when the lengths are no complete
// prefix code: a length over 16, or lengths whose code space is not exactly
// full.
bool BuildDecodeTable(int symbolCount, const std::uint8_t* bitLength, int tableBits, std::uint16_t* table,
                      DecodeTables& tables);

} // namespace qx::compress
