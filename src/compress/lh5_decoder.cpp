#include "compress/lh5_decoder.h"

#include <algorithm>
#include <cstring>

namespace qx::compress {
namespace {

constexpr std::uint32_t kRingMask = kDictionarySize - 1;
constexpr int kFirstMatchSymbol = 256;
constexpr int kMatchLengthOffset = 253; // symbol = match length + 253
constexpr int kLengthSymbolBits = 5;
constexpr int kClassBits = 4;
constexpr int kSymbolCountBits = 9;
constexpr int kShortZeroRunBits = 4; // code-length symbol 1: 3 to 18 zeros
constexpr int kLongZeroRunBits = 9;  // code-length symbol 2: 20 or more zeros
constexpr int kSkippedLengthsBits = 2;
constexpr int kSpecialIndex = 3;     // after 3 code-length lengths, a count of zeros
constexpr int kNoSpecial = -1;

// Copies N bytes through a register: all are read before any is written.
template <std::size_t N>
inline void CopyThrough(std::uint8_t* out, const std::uint8_t* in)
{
    std::uint8_t word[N];
    std::memcpy(word, in, N);
    std::memcpy(out, word, N);
}

// Copies `length` bytes whose source starts 8 or more bytes before `out`, or
// at or after the end of the copy: in pieces of 8 (the last one overlapping
// the one before it), never a byte beyond the copy, which the ring still needs.
inline void CopyApart(std::uint8_t* out, const std::uint8_t* in, std::uint32_t length)
{
    if (length >= 8) {
        for (std::uint32_t i = 0; i + 8 < length; i += 8) CopyThrough<8>(out + i, in + i);
        CopyThrough<8>(out + length - 8, in + length - 8);
    } else if (length >= 4) {
        CopyThrough<4>(out, in);
        CopyThrough<4>(out + length - 4, in + length - 4);
    } else {
        for (std::uint32_t i = 0; i < length; ++i) out[i] = in[i];
    }
}

} // namespace

int Lh5Decoder::WalkTree(int node, int symbolCount, std::uint32_t mask) const
{
    const std::uint32_t window = bits_.Peek16();
    while (node >= symbolCount) {
        if (mask == 0) return kTreeNodeCount;
        node = (window & mask) ? t_.right[node] : t_.left[node];
        mask >>= 1;
    }
    return node;
}

bool Lh5Decoder::ReadSmallLengths(int count, int countBits, int special)
{
    const int n = static_cast<int>(bits_.Get(countBits));
    if (n == 0) {
        const std::uint32_t only = bits_.Get(countBits);
        if (only >= static_cast<std::uint32_t>(count)) return false;
        std::fill_n(t_.smallLen, count, std::uint8_t{0});
        std::fill_n(t_.smallTable, 1 << kSmallTableBits, static_cast<std::uint16_t>(only));
        return true;
    }
    if (n > count) return false;
    int i = 0;
    while (i < n) {
        const std::uint32_t window = bits_.Peek16();
        int length = static_cast<int>(window >> 13);
        if (length == 7) {
            for (std::uint32_t mask = 0x1000; window & mask; mask >>= 1) ++length;
            if (length > kMaxCodeLength) return false;
        }
        bits_.Skip(length < 7 ? 3 : length - 3);
        t_.smallLen[i++] = static_cast<std::uint8_t>(length);
        if (i == special) {
            const int zeros = static_cast<int>(bits_.Get(kSkippedLengthsBits));
            if (i + zeros > count) return false;
            std::fill_n(t_.smallLen + i, zeros, std::uint8_t{0});
            i += zeros;
        }
    }
    std::fill(t_.smallLen + i, t_.smallLen + count, std::uint8_t{0});
    return BuildDecodeTable(count, t_.smallLen, kSmallTableBits, t_.smallTable, t_);
}

bool Lh5Decoder::ReadSymbolLengths()
{
    const int n = static_cast<int>(bits_.Get(kSymbolCountBits));
    if (n == 0) {
        const std::uint32_t only = bits_.Get(kSymbolCountBits);
        if (only >= static_cast<std::uint32_t>(kSymbolCount)) return false;
        std::fill_n(t_.symbolLen, kSymbolCount, std::uint8_t{0});
        std::fill_n(t_.symbolTable, 1 << kSymbolTableBits, static_cast<std::uint16_t>(only));
        return true;
    }
    if (n > kSymbolCount) return false;
    int i = 0;
    while (i < n) {
        const int c = WalkTree(t_.smallTable[bits_.Peek16() >> 8], kLengthSymbolCount, 0x80);
        if (c >= kLengthSymbolCount) return false;
        bits_.Skip(t_.smallLen[c]);
        if (c <= 2) {
            const int zeros = c == 0 ? 1 : c == 1 ? static_cast<int>(bits_.Get(kShortZeroRunBits)) + 3
                                                  : static_cast<int>(bits_.Get(kLongZeroRunBits)) + 20;
            if (i + zeros > kSymbolCount) return false;
            std::fill_n(t_.symbolLen + i, zeros, std::uint8_t{0});
            i += zeros;
        } else {
            t_.symbolLen[i++] = static_cast<std::uint8_t>(c - 2);
        }
    }
    std::fill(t_.symbolLen + i, t_.symbolLen + kSymbolCount, std::uint8_t{0});
    return BuildDecodeTable(kSymbolCount, t_.symbolLen, kSymbolTableBits, t_.symbolTable, t_);
}

bool Lh5Decoder::StartBlock()
{
    t_.blockLeft = static_cast<std::uint16_t>(bits_.Get(16));
    return ReadSmallLengths(kLengthSymbolCount, kLengthSymbolBits, kSpecialIndex) && ReadSymbolLengths() &&
           ReadSmallLengths(kClassCount, kClassBits, kNoSpecial);
}

inline int Lh5Decoder::DecodeSymbol()
{
    if (t_.blockLeft == 0 && !StartBlock()) return -1;
    --t_.blockLeft;
    int symbol = t_.symbolTable[bits_.Peek16() >> 4];
    if (symbol >= kSymbolCount) {
        symbol = WalkTree(symbol, kSymbolCount, 0x08);
        if (symbol >= kSymbolCount) return -1;
    }
    bits_.Skip(t_.symbolLen[symbol]);
    return symbol;
}

inline int Lh5Decoder::DecodePosition()
{
    int k = t_.smallTable[bits_.Peek16() >> 8];
    if (k >= kClassCount) {
        k = WalkTree(k, kClassCount, 0x80);
        if (k >= kClassCount) return -1;
    }
    bits_.Skip(t_.smallLen[k]);
    if (k <= 1) return k;
    return static_cast<int>((1u << (k - 1)) + bits_.Get(k - 1));
}

// Continues the pending match copy; true when the buffer became full.
bool Lh5Decoder::Copy(std::uint32_t& r, std::uint32_t count, std::uint8_t* buffer)
{
    const std::uint32_t length = static_cast<std::uint32_t>(copyLeft_);
    const std::uint32_t from = copyFrom_;
    // A whole copy whose source does not wrap around the ring goes in
    // blocks, with the result of copying one byte at a time.
    if (copyLeft_ > 0 && length <= count - r && from + length <= kDictionarySize) {
        std::uint8_t* out = buffer + r;
        const std::uint8_t* in = buffer + from;
        if ((from < r && r - from >= 8) || from >= r + length) {
            // A source 8 or more bytes behind is complete before each piece
            // reads it; one after the copy is never written by it.
            CopyApart(out, in, length);
        } else if (from >= r) {
            std::memmove(out, in, length);
        } else if (r - from == 1) {
            std::memset(out, *in, length);
        } else {
            // A period of 2 to 7 bytes: the first 16 bytes one by one, then
            // the rest from a whole number of periods (8 or more bytes) back.
            const std::uint32_t period = r - from;
            const std::uint32_t head = std::min(length, 16u);
            for (std::uint32_t i = 0; i < head; ++i) out[i] = in[i];
            if (length > head) {
                const std::uint32_t back = head / period * period;
                CopyApart(out + head, out + head - back, length - head);
            }
        }
        r += length;
        copyFrom_ = static_cast<std::uint16_t>((from + length) & kRingMask);
        copyLeft_ = 0;
        return r == count;
    }
    while (copyLeft_ > 0) {
        --copyLeft_;
        buffer[r++] = buffer[copyFrom_];
        copyFrom_ = static_cast<std::uint16_t>((copyFrom_ + 1) & kRingMask);
        if (r == count) return true;
    }
    return false;
}

bool Lh5Decoder::DecodeBytes(std::uint32_t count, std::uint8_t* buffer)
{
    if (corrupt_) return false;
    std::uint32_t r = 0;
    if (count == 0 || Copy(r, count, buffer)) return true;
    for (;;) {
        const int symbol = DecodeSymbol();
        if (symbol < 0) break;
        if (symbol < kFirstMatchSymbol) {
            buffer[r++] = static_cast<std::uint8_t>(symbol);
            if (r == count) return true;
            continue;
        }
        const int distance = DecodePosition();
        if (distance < 0) break;
        copyLeft_ = symbol - kMatchLengthOffset;
        copyFrom_ = static_cast<std::uint16_t>((r - static_cast<std::uint32_t>(distance) - 1) & kRingMask);
        if (Copy(r, count, buffer)) return true;
    }
    corrupt_ = true;
    return false;
}

} // namespace qx::compress
