#pragma once

// Huffman codes of one lh5 block: code lengths limited to 16 bits and
// canonical codes (for each length consecutive in symbol order, shorter
// lengths first). The exact tie-breaking of the heap and the order in which
// lengths are handed out decide the bit stream, so both follow one fixed rule.

#include <cstdint>

namespace qx::compress {

inline constexpr unsigned kMaxCodeLength = 16;
inline constexpr unsigned kSymbolCount = 510;    // 256 literals, lengths 3 to 256
inline constexpr unsigned kClassCount = 14;      // distance classes
inline constexpr unsigned kLengthSymbolCount = 19; // code-length alphabet
inline constexpr unsigned kTreeNodeLimit = 2 * kSymbolCount - 1; // 1019

// Work tables shared by the trees of a block.
struct CodeTreeWork {
    std::uint16_t left[kTreeNodeLimit];
    std::uint16_t right[kTreeNodeLimit];
    std::uint16_t heap[kSymbolCount + 1]; // from index 1
    std::uint16_t lengthCount[kMaxCodeLength + 1];
};

// Builds the code of the first `n` symbols from freq[0 .. n - 1]; freq must
// have room for 2n - 1 entries (the internal nodes go behind the symbols).
// Fills len[0 .. n - 1] and code[0 .. n - 1] and returns the root: a node
// number of n or more, or, when fewer than two symbols occur, the one
// symbol used (0 when none is) with every length 0.
unsigned BuildCodeTree(CodeTreeWork& work, unsigned n, std::uint16_t* freq, std::uint8_t* len, std::uint16_t* code);

} // namespace qx::compress
