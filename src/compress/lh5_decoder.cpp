#include "compress/lh5_decoder.h"

#include <algorithm>

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

int Lh5Decoder::DecodeSymbol()
{
    if (t_.blockLeft == 0 && !StartBlock()) return -1;
    --t_.blockLeft;
    const int symbol = WalkTree(t_.symbolTable[bits_.Peek16() >> 4], kSymbolCount, 0x08);
    if (symbol >= kSymbolCount) return -1;
    bits_.Skip(t_.symbolLen[symbol]);
    return symbol;
}

int Lh5Decoder::DecodePosition()
{
    const int k = WalkTree(t_.smallTable[bits_.Peek16() >> 8], kClassCount, 0x80);
    if (k >= kClassCount) return -1;
    bits_.Skip(t_.smallLen[k]);
    if (k <= 1) return k;
    return static_cast<int>((1u << (k - 1)) + bits_.Get(k - 1));
}

// Continues the pending match copy; true when the buffer became full.
bool Lh5Decoder::Copy(std::uint32_t& r, std::uint32_t count, std::uint8_t* buffer)
{
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
