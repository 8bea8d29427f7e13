#include "support/lh5_items.h"

#include <map>
#include <utility>

namespace qx::test {
namespace {

class Bits {
public:
    explicit Bits(const std::vector<std::uint8_t>& data) : data_(data) {}

    unsigned Bit()
    {
        const std::size_t byte = pos_ / 8;
        const unsigned bit = byte < data_.size() ? (data_[byte] >> (7 - pos_ % 8)) & 1u : 0u;
        ++pos_;
        return bit;
    }

    unsigned Get(unsigned n)
    {
        unsigned v = 0;
        for (unsigned i = 0; i < n; ++i) v = v << 1 | Bit();
        return v;
    }

    std::size_t Used() const { return pos_; }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t pos_ = 0;
};

// Canonical code: (length, code) to symbol; empty when the lengths do not
// fill the code space exactly.
class Code {
public:
    static std::optional<Code> FromLengths(const std::vector<std::uint8_t>& lengths)
    {
        Code code;
        std::uint32_t kraft = 0;
        unsigned next = 0;
        for (unsigned len = 1; len <= 16; ++len) {
            for (std::size_t s = 0; s < lengths.size(); ++s) {
                if (lengths[s] != len) continue;
                code.map_[{len, next}] = static_cast<std::uint16_t>(s);
                ++next;
                kraft += 1u << (16 - len);
            }
            next <<= 1;
        }
        if (kraft != 1u << 16) return std::nullopt;
        return code;
    }

    static Code Single(std::uint16_t symbol)
    {
        Code code;
        code.single_ = symbol;
        return code;
    }

    std::optional<std::uint16_t> Read(Bits& bits) const
    {
        if (single_) return single_;
        unsigned value = 0;
        for (unsigned len = 1; len <= 16; ++len) {
            value = value << 1 | bits.Bit();
            auto it = map_.find({len, value});
            if (it != map_.end()) return it->second;
        }
        return std::nullopt;
    }

private:
    std::map<std::pair<unsigned, unsigned>, std::uint16_t> map_;
    std::optional<std::uint16_t> single_;
};

// Lengths of the code-length code (19, 5 bits, zero skip after 3) or of the
// distance classes (14, 4 bits, no skip).
std::optional<Code> ReadSmallCode(Bits& bits, unsigned nn, unsigned countBits, int skipAfter,
                                  std::vector<std::uint8_t>& lengths, std::uint16_t& only)
{
    const unsigned n = bits.Get(countBits);
    if (n == 0) {
        only = static_cast<std::uint16_t>(bits.Get(countBits));
        if (only >= nn) return std::nullopt;
        return Code::Single(only);
    }
    if (n > nn) return std::nullopt;
    lengths.assign(nn, 0);
    unsigned i = 0;
    while (i < n) {
        unsigned len = bits.Get(3);
        if (len == 7)
            while (bits.Bit() == 1) ++len;
        if (len > 16) return std::nullopt;
        lengths[i++] = static_cast<std::uint8_t>(len);
        if (static_cast<int>(i) == skipAfter) i += bits.Get(2);
    }
    return Code::FromLengths(lengths);
}

std::optional<Code> ReadSymbolCode(Bits& bits, const Code& lengthCode, Lh5Block& block)
{
    const unsigned n = bits.Get(9);
    if (n == 0) {
        block.symbolOnly = static_cast<std::uint16_t>(bits.Get(9));
        if (block.symbolOnly >= 510) return std::nullopt;
        return Code::Single(block.symbolOnly);
    }
    if (n > 510) return std::nullopt;
    block.symbolLengths.assign(510, 0);
    unsigned i = 0;
    while (i < n) {
        const auto c = lengthCode.Read(bits);
        if (!c) return std::nullopt;
        unsigned zeros = 0;
        if (*c == 0)
            zeros = 1;
        else if (*c == 1)
            zeros = bits.Get(4) + 3;
        else if (*c == 2)
            zeros = bits.Get(9) + 20;
        else
            block.symbolLengths[i++] = static_cast<std::uint8_t>(*c - 2);
        if (i + zeros > n) return std::nullopt;
        i += zeros;
    }
    return Code::FromLengths(block.symbolLengths);
}

} // namespace

std::optional<Lh5Stream> ParseLh5(const std::vector<std::uint8_t>& data, std::size_t outputSize)
{
    Lh5Stream stream;
    Bits bits(data);
    while (stream.output.size() < outputSize) {
        Lh5Block block;
        block.itemCount = static_cast<std::uint16_t>(bits.Get(16));
        if (block.itemCount == 0) return std::nullopt;
        const auto lengthCode = ReadSmallCode(bits, 19, 5, 3, block.lengthLengths, block.lengthOnly);
        if (!lengthCode) return std::nullopt;
        const auto symbolCode = ReadSymbolCode(bits, *lengthCode, block);
        if (!symbolCode) return std::nullopt;
        const auto classCode = ReadSmallCode(bits, 14, 4, -1, block.classLengths, block.classOnly);
        if (!classCode) return std::nullopt;
        for (unsigned k = 0; k < block.itemCount && stream.output.size() < outputSize; ++k) {
            const auto symbol = symbolCode->Read(bits);
            if (!symbol) return std::nullopt;
            Lh5Item item{*symbol, 0};
            if (*symbol < 256) {
                stream.output.push_back(static_cast<std::uint8_t>(*symbol));
            } else {
                const auto cls = classCode->Read(bits);
                if (!cls) return std::nullopt;
                item.distance = *cls <= 1 ? *cls : static_cast<std::uint16_t>((1u << (*cls - 1)) | bits.Get(*cls - 1));
                const std::size_t distance = item.distance + 1u;
                if (distance > stream.output.size()) return std::nullopt;
                for (unsigned n = 0; n < *symbol - 253u; ++n) stream.output.push_back(stream.output[stream.output.size() - distance]);
            }
            block.items.push_back(item);
        }
        stream.blocks.push_back(std::move(block));
    }
    stream.output.resize(outputSize);
    stream.bitsUsed = bits.Used();
    return stream;
}

} // namespace qx::test
