#pragma once

// The lh5 block encoder: buffers literals and matches, counts their
// frequencies, and when the buffer is full (and at the end) builds the
// block's Huffman codes and sends the block through the bit writer.
//
// Buffer layout: groups of up to 8 items, each group behind a flag byte
// whose bits, from bit 7 down, mark the matches. A literal takes 1 byte
// (the byte), a match 3 (length symbol - 256, distance code high, low).
//
// Block layout (each table in its full form, or a one-symbol form when
// fewer than two of its symbols occur):
//   16 bits  items in the block
//   code-length code: 5 bits count + lengths, or 5 bits 0 + 5 bits symbol
//   symbol code: 9 bits count + lengths in the code-length code,
//                or (with the code-length code) 5 + 5 + 9 bits 0 + 9 bits symbol
//   distance-class code: 4 bits count + lengths, or 4 bits 0 + 4 bits class
//   the items: symbol code, then for a match its class code and extra bits

#include <bit>
#include <cstdint>

#include "compress/bit_writer.h"
#include "compress/code_tree.h"

namespace qx::compress {

// The buffer starts at 16384 bytes and shrinks to nine tenths while memory
// is missing, but not below 1024 bytes; without a buffer of 1024 bytes the
// compressor gives up.
inline constexpr std::uint32_t kBlockBufferBytes = 16384;
inline constexpr std::uint32_t kBlockBufferFloor = 1024;
// A group of 8 matches needs 25 bytes: a group starts only below this margin.
inline constexpr std::uint32_t kGroupMargin = 24;

inline constexpr unsigned kFirstMatchSymbol = 256; // symbol = length + 253

struct BlockEncoder {
    std::uint8_t* buffer; // owned; AllocBlockBuffer, FreeBlockBuffer
    std::uint32_t bufferSize;
    std::uint32_t fillPos;
    std::uint32_t flagPos;
    std::uint8_t flagBit; // 0: the next item starts a new group

    std::uint16_t symbolFreq[kTreeNodeLimit];
    std::uint16_t classFreq[2 * kClassCount - 1];
    std::uint16_t lengthFreq[2 * kLengthSymbolCount - 1];
    std::uint8_t symbolLen[kSymbolCount];
    std::uint16_t symbolCode[kSymbolCount];
    // Shared by the code-length code and the distance-class code.
    std::uint8_t smallLen[kLengthSymbolCount];
    std::uint16_t smallCode[kLengthSymbolCount];
    CodeTreeWork work;
};

// Allocates the buffer (see kBlockBufferFloor); false when even the floor
// cannot be had.
bool AllocBlockBuffer(BlockEncoder& blocks);
void FreeBlockBuffer(BlockEncoder& blocks);

// Starts the first block (the buffer must exist) and empties the bit writer.
void StartBlocks(BlockEncoder& blocks, BitWriter& out);

// Sends the block held in the buffer and clears the frequencies. Stops at
// the first item after which `out` is unpackable.
void EmitBlock(BlockEncoder& blocks, BitWriter& out);

// Sends the last block and the last partly filled byte, unless `out` is
// unpackable, then frees the buffer.
void FinishBlocks(BlockEncoder& blocks, BitWriter& out);

// Number of significant bits of a distance code: its class.
inline unsigned DistanceClass(unsigned p) { return static_cast<unsigned>(std::bit_width(p)); }

// Buffers one item: symbol c (a literal below 256, else a match length
// symbol) and, for a match, its distance code p (distance - 1, 0 to 8190).
inline void OutputItem(BlockEncoder& b, BitWriter& out, unsigned c, unsigned p)
{
    b.flagBit = static_cast<std::uint8_t>(b.flagBit >> 1);
    if (b.flagBit == 0) {
        b.flagBit = 0x80;
        if (b.fillPos >= b.bufferSize - kGroupMargin) {
            EmitBlock(b, out);
            if (out.unpackable) return;
            b.fillPos = 0;
        }
        b.flagPos = b.fillPos;
        b.buffer[b.fillPos++] = 0;
    }
    b.buffer[b.fillPos++] = static_cast<std::uint8_t>(c);
    ++b.symbolFreq[c];
    if (c >= kFirstMatchSymbol) {
        b.buffer[b.flagPos] = static_cast<std::uint8_t>(b.buffer[b.flagPos] | b.flagBit);
        b.buffer[b.fillPos] = static_cast<std::uint8_t>(p >> 8);
        b.buffer[b.fillPos + 1] = static_cast<std::uint8_t>(p);
        b.fillPos += 2;
        ++b.classFreq[DistanceClass(p)];
    }
}

} // namespace qx::compress
