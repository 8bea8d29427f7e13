#include "support/lh5_stream_builder.h"

#include <algorithm>

namespace qx::test {
namespace {

constexpr unsigned kMaxLength = 16;

// One code length as the block header sends the code-length code and the
// class code: 3 bits up to 6, else 111, (length - 7) ones and a zero.
void PutSmallLength(BitWriter& out, std::uint8_t length)
{
    if (length <= 6) {
        out.Put(3, length);
        return;
    }
    out.Put(3, 7);
    for (unsigned i = 7; i < length; ++i) out.Put(1, 1);
    out.Put(1, 0);
}

void PutSmallTable(BitWriter& out, unsigned countBits, const std::vector<std::uint8_t>& lengths, std::uint16_t only,
                   bool withSpecial)
{
    if (lengths.empty()) {
        out.Put(countBits, 0);
        out.Put(countBits, only);
        return;
    }
    out.Put(countBits, static_cast<std::uint32_t>(lengths.size()));
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        PutSmallLength(out, lengths[i]);
        if (withSpecial && i == 2) out.Put(2, 0);
    }
}

} // namespace

void BitWriter::Put(unsigned n, std::uint32_t value)
{
    for (unsigned i = n; i-- > 0;) {
        if (used_ == 0) bytes_.push_back(0);
        if ((value >> i) & 1u) bytes_.back() |= static_cast<std::uint8_t>(0x80u >> used_);
        used_ = (used_ + 1) % 8;
    }
}

Bytes BitWriter::Finish() const { return bytes_; }

std::vector<std::uint32_t> CanonicalCodes(const std::vector<std::uint8_t>& lengths)
{
    std::vector<std::uint32_t> codes(lengths.size());
    std::uint32_t next = 0;
    for (unsigned length = 1; length <= kMaxLength; ++length) {
        for (std::size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s] == length) codes[s] = next++;
        next <<= 1;
    }
    return codes;
}

void PutSymbol(BitWriter& out, const std::vector<std::uint8_t>& lengths, unsigned symbol)
{
    if (lengths.empty()) return; // one-symbol tables send no bits per symbol
    out.Put(lengths[symbol], CanonicalCodes(lengths)[symbol]);
}

std::vector<std::uint8_t> LengthsFor(std::size_t tableSize, const std::vector<std::pair<unsigned, std::uint8_t>>& symbols)
{
    std::vector<std::uint8_t> lengths(tableSize, 0);
    for (const auto& [symbol, length] : symbols) lengths[symbol] = length;
    return lengths;
}

void PutBlockHeader(BitWriter& out, const BlockHeader& header)
{
    out.Put(16, header.items);
    PutSmallTable(out, 5, header.lengthLengths, header.lengthOnly, true);
    if (header.symbolLengths.empty()) {
        out.Put(9, 0);
        out.Put(9, header.symbolOnly);
    } else {
        std::size_t n = header.symbolLengths.size();
        while (n > 0 && header.symbolLengths[n - 1] == 0) --n;
        out.Put(9, static_cast<std::uint32_t>(n));
        std::vector<std::uint8_t> lengthLengths = header.lengthLengths;
        lengthLengths.resize(19, 0);
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t length = header.symbolLengths[i];
            PutSymbol(out, header.lengthLengths.empty() ? std::vector<std::uint8_t>{} : lengthLengths,
                      length == 0 ? 0u : length + 2u);
        }
    }
    PutSmallTable(out, 4, header.classLengths, header.classOnly, false);
}

void BlockScript::WriteTo(BitWriter& out) const
{
    BlockHeader header = tables_;
    header.items = static_cast<std::uint16_t>(items_.size());
    PutBlockHeader(out, header);
    for (const Item& item : items_) {
        PutSymbol(out, tables_.symbolLengths, item.symbol);
        if (item.symbol < 256) continue;
        unsigned k = 0;
        while ((item.distanceCode >> k) != 0) ++k;
        PutSymbol(out, tables_.classLengths, k);
        if (k > 1) out.Put(k - 1, item.distanceCode & ((1u << (k - 1)) - 1));
    }
}

void BlockScript::Apply(std::string& output) const
{
    for (const Item& item : items_) {
        if (item.symbol < 256) {
            output += static_cast<char>(item.symbol);
            continue;
        }
        // Positions before the start read the zero-filled dictionary.
        for (unsigned i = 0; i < item.symbol - 253; ++i) {
            const std::ptrdiff_t from = static_cast<std::ptrdiff_t>(output.size()) - item.distanceCode - 1;
            output += from >= 0 ? output[static_cast<std::size_t>(from)] : '\0';
        }
    }
}

Bytes PackedArchive(std::string_view method, std::uint32_t packedSize, std::uint32_t sourceSize,
                    std::string_view name, const Bytes& data)
{
    Bytes file(1 + 283, 0);
    file[0] = 0x20;
    std::copy(method.begin(), method.end(), file.begin() + 1);
    for (int i = 0; i < 4; ++i) {
        file[7 + i] = static_cast<std::uint8_t>(packedSize >> (8 * i));
        file[11 + i] = static_cast<std::uint8_t>(sourceSize >> (8 * i));
    }
    std::copy(name.begin(), name.end(), file.begin() + 15);
    file.insert(file.end(), data.begin(), data.end());
    file.insert(file.end(), {0, 0});
    return file;
}

Bytes PackedArchive(std::string_view method, std::uint32_t sourceSize, std::string_view name, const Bytes& data)
{
    return PackedArchive(method, static_cast<std::uint32_t>(data.size()), sourceSize, name, data);
}

} // namespace qx::test
