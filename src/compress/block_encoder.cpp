#include "compress/block_encoder.h"

#include <algorithm>

#include "compress/platform/memory_block.h"

namespace qx::compress {
namespace {

// Code-length symbols: 0 one zero length, 1 a run of 3 to 18 zero lengths
// (4 more bits), 2 a run of 20 or more (9 more bits), 3 to 18 the lengths 1 to 16.
constexpr unsigned kOneZero = 0;
constexpr unsigned kShortZeroRun = 1;
constexpr unsigned kLongZeroRun = 2;
constexpr unsigned kLengthSymbolBias = 2;
constexpr unsigned kShortRunMin = 3;
constexpr unsigned kShortRunMax = 18;
constexpr unsigned kLongRunMin = 20;

// Field widths of the block header.
constexpr unsigned kItemCountBits = 16;
constexpr unsigned kLengthCountBits = 5;
constexpr unsigned kSymbolCountBits = 9;
constexpr unsigned kClassCountBits = 4;
constexpr unsigned kShortRunBits = 4;
constexpr unsigned kLongRunBits = 9;
constexpr unsigned kSmallLengthBits = 3;  // small lengths up to 6; longer ones in unary after 111
constexpr unsigned kZeroSkipBits = 2;     // zero lengths of code-length symbols 3 to 5
constexpr int kZeroSkipAfter = 3;
constexpr int kNoZeroSkip = -1;
constexpr unsigned kEndPaddingBits = 7;

// Number of symbols up to the last one with a non-zero length.
unsigned UsedLength(const std::uint8_t* len, unsigned n)
{
    while (n > 0 && len[n - 1] == 0) --n;
    return n;
}

// Length of the run of zero lengths that starts at i (len[i] = 0), within n.
unsigned ZeroRun(const std::uint8_t* len, unsigned i, unsigned n)
{
    unsigned run = 1;
    while (i + run < n && len[i + run] == 0) ++run;
    return run;
}

void CountLengthFreq(BlockEncoder& b)
{
    std::fill_n(b.lengthFreq, kLengthSymbolCount, std::uint16_t{0});
    const unsigned n = UsedLength(b.symbolLen, kSymbolCount);
    unsigned i = 0;
    while (i < n) {
        const unsigned k = b.symbolLen[i];
        if (k != 0) {
            ++b.lengthFreq[k + kLengthSymbolBias];
            ++i;
            continue;
        }
        const unsigned run = ZeroRun(b.symbolLen, i, n);
        i += run;
        if (run < kShortRunMin) {
            b.lengthFreq[kOneZero] = static_cast<std::uint16_t>(b.lengthFreq[kOneZero] + run);
        } else if (run <= kShortRunMax) {
            ++b.lengthFreq[kShortZeroRun];
        } else if (run == kShortRunMax + 1) {
            ++b.lengthFreq[kOneZero];
            ++b.lengthFreq[kShortZeroRun];
        } else {
            ++b.lengthFreq[kLongZeroRun];
        }
    }
}

// Code lengths of the code-length code or of the distance classes.
void WriteLengthLengths(BlockEncoder& b, BitWriter& out, unsigned nn, unsigned countBits, int zeroSkipAfter)
{
    const unsigned n = UsedLength(b.smallLen, nn);
    out.PutBits(countBits, n);
    unsigned i = 0;
    while (i < n) {
        const unsigned k = b.smallLen[i++];
        if (k <= 6)
            out.PutBits(kSmallLengthBits, k);
        else
            out.PutBits(k - 3, (1u << (k - 3)) - 2); // 111, k - 7 more ones, a zero
        if (static_cast<int>(i) == zeroSkipAfter) {
            while (i < 6 && b.smallLen[i] == 0) ++i;
            out.PutBits(kZeroSkipBits, i - kZeroSkipAfter);
        }
    }
}

void PutLengthSymbol(BlockEncoder& b, BitWriter& out, unsigned s) { out.PutBits(b.smallLen[s], b.smallCode[s]); }

void WriteSymbolLengths(BlockEncoder& b, BitWriter& out)
{
    const unsigned n = UsedLength(b.symbolLen, kSymbolCount);
    out.PutBits(kSymbolCountBits, n);
    unsigned i = 0;
    while (i < n) {
        const unsigned k = b.symbolLen[i];
        if (k != 0) {
            PutLengthSymbol(b, out, k + kLengthSymbolBias);
            ++i;
            continue;
        }
        const unsigned run = ZeroRun(b.symbolLen, i, n);
        i += run;
        if (run < kShortRunMin) {
            for (unsigned c = 0; c < run; ++c) PutLengthSymbol(b, out, kOneZero);
        } else if (run <= kShortRunMax) {
            PutLengthSymbol(b, out, kShortZeroRun);
            out.PutBits(kShortRunBits, run - kShortRunMin);
        } else if (run == kShortRunMax + 1) {
            PutLengthSymbol(b, out, kOneZero);
            PutLengthSymbol(b, out, kShortZeroRun);
            out.PutBits(kShortRunBits, kShortRunMax - kShortRunMin);
        } else {
            PutLengthSymbol(b, out, kLongZeroRun);
            out.PutBits(kLongRunBits, run - kLongRunMin);
        }
    }
}

// The class of distance code p, then its bits below the top one.
inline void EncodePosition(const BlockEncoder& b, BitWriter& out, unsigned p)
{
    const unsigned k = DistanceClass(p);
    out.PutBits(b.smallLen[k], b.smallCode[k]);
    if (k > 1) out.PutBits(k - 1, p & (0xFFFFu >> (17 - k)));
}

void WriteItems(const BlockEncoder& b, BitWriter& out, unsigned size)
{
    const std::uint8_t* item = b.buffer;
    unsigned flags = 0;
    for (unsigned i = 0; i < size; ++i) {
        if (i % 8 == 0)
            flags = *item++;
        else
            flags <<= 1;
        if (flags & 0x80) {
            const unsigned symbol = *item + kFirstMatchSymbol;
            out.PutBits(b.symbolLen[symbol], b.symbolCode[symbol]);
            EncodePosition(b, out, unsigned{item[1]} << 8 | item[2]);
            item += 3;
        } else {
            out.PutBits(b.symbolLen[*item], b.symbolCode[*item]);
            item += 1;
        }
        if (out.unpackable) return;
    }
}

} // namespace

bool AllocBlockBuffer(BlockEncoder& b)
{
    std::uint32_t size = kBlockBufferBytes;
    for (;;) {
        b.buffer = static_cast<std::uint8_t*>(AllocBlock(size));
        if (b.buffer != nullptr) {
            b.bufferSize = size;
            return true;
        }
        if (size == kBlockBufferFloor) return false;
        size = std::max(size / 10 * 9, kBlockBufferFloor);
    }
}

void FreeBlockBuffer(BlockEncoder& b)
{
    FreeBlock(b.buffer);
    b.buffer = nullptr;
    b.bufferSize = 0;
}

void StartBlocks(BlockEncoder& b, BitWriter& out)
{
    b.buffer[0] = 0;
    std::fill_n(b.symbolFreq, kSymbolCount, std::uint16_t{0});
    std::fill_n(b.classFreq, kClassCount, std::uint16_t{0});
    b.fillPos = 0;
    b.flagBit = 0;
    out.Start();
}

void EmitBlock(BlockEncoder& b, BitWriter& out)
{
    unsigned root = BuildCodeTree(b.work, kSymbolCount, b.symbolFreq, b.symbolLen, b.symbolCode);
    const unsigned size = b.symbolFreq[root];
    out.PutBits(kItemCountBits, size);
    if (root >= kSymbolCount) {
        CountLengthFreq(b);
        root = BuildCodeTree(b.work, kLengthSymbolCount, b.lengthFreq, b.smallLen, b.smallCode);
        if (root >= kLengthSymbolCount) {
            WriteLengthLengths(b, out, kLengthSymbolCount, kLengthCountBits, kZeroSkipAfter);
        } else {
            out.PutBits(kLengthCountBits, 0);
            out.PutBits(kLengthCountBits, root);
        }
        WriteSymbolLengths(b, out);
    } else {
        out.PutBits(kLengthCountBits, 0);
        out.PutBits(kLengthCountBits, 0);
        out.PutBits(kSymbolCountBits, 0);
        out.PutBits(kSymbolCountBits, root);
    }
    root = BuildCodeTree(b.work, kClassCount, b.classFreq, b.smallLen, b.smallCode);
    if (root >= kClassCount) {
        WriteLengthLengths(b, out, kClassCount, kClassCountBits, kNoZeroSkip);
    } else {
        out.PutBits(kClassCountBits, 0);
        out.PutBits(kClassCountBits, root);
    }
    WriteItems(b, out, size);
    std::fill_n(b.symbolFreq, kSymbolCount, std::uint16_t{0});
    std::fill_n(b.classFreq, kClassCount, std::uint16_t{0});
}

void FinishBlocks(BlockEncoder& b, BitWriter& out)
{
    if (!out.unpackable) {
        EmitBlock(b, out);
        out.PutBits(kEndPaddingBits, 0);
    }
    FreeBlockBuffer(b);
}

} // namespace qx::compress
