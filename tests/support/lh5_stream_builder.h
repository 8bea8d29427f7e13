#pragma once

// Hand-built lh5 streams and archives for decoder tests: a bit writer, block
// headers from code lengths chosen by the test (valid or deliberately
// broken), and the archive around the data. Independent of the library's
// encoder, so the decoder is tested against the block layout itself.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx::test {

using Bytes = std::vector<std::uint8_t>;

class BitWriter {
public:
    // The low `n` bits of `value`, most significant first.
    void Put(unsigned n, std::uint32_t value);
    // The bytes written, the last one padded with zero bits.
    Bytes Finish() const;

private:
    Bytes bytes_;
    unsigned used_ = 0; // bits used in the last byte, 0 = none pending
};

// Canonical codes for `lengths` (shorter codes first, symbol order within a length).
std::vector<std::uint32_t> CanonicalCodes(const std::vector<std::uint8_t>& lengths);

// A block header. Each table is sent in its full form when it has entries,
// else in the one-symbol form with `…Only`.
struct BlockHeader {
    std::uint16_t items = 0;
    // Code lengths of the 19 code-length symbols (at least 4 entries when not empty).
    std::vector<std::uint8_t> lengthLengths{};
    std::uint16_t lengthOnly = 0;
    // Code lengths of the 510 symbols, sent one code-length symbol each (no runs).
    std::vector<std::uint8_t> symbolLengths{};
    std::uint16_t symbolOnly = 0;
    // Code lengths of the 14 position classes.
    std::vector<std::uint8_t> classLengths{};
    std::uint16_t classOnly = 0;
};

void PutBlockHeader(BitWriter& out, const BlockHeader& header);

// Sends `symbol` with the codes of `lengths`.
void PutSymbol(BitWriter& out, const std::vector<std::uint8_t>& lengths, unsigned symbol);

// Lengths for a table where exactly `symbols` have the given length each.
std::vector<std::uint8_t> LengthsFor(std::size_t tableSize, const std::vector<std::pair<unsigned, std::uint8_t>>& symbols);

// One block: its tables and items, written bit-exactly, and what decoding
// them must give.
class BlockScript {
public:
    explicit BlockScript(BlockHeader tables) : tables_(std::move(tables)) {}
    void Literal(std::uint8_t c) { items_.push_back({c, 0}); }
    // A match of 3 to 256 bytes; `distanceCode` is the distance minus 1.
    void Match(unsigned length, unsigned distanceCode) { items_.push_back({length + 253, distanceCode}); }
    std::size_t Items() const { return items_.size(); }

    // The header (with the item count) and the items.
    void WriteTo(BitWriter& out) const;
    // Appends the bytes the items decode to, after `output` (the bytes before the block).
    void Apply(std::string& output) const;

private:
    struct Item {
        unsigned symbol;
        unsigned distanceCode;
    };
    BlockHeader tables_;
    std::vector<Item> items_;
};

// A packed archive file: lead byte, header (method, sizes, name), data, trailer.
Bytes PackedArchive(std::string_view method, std::uint32_t packedSize, std::uint32_t sourceSize,
                    std::string_view name, const Bytes& data);
// The same with the packed size of `data`.
Bytes PackedArchive(std::string_view method, std::uint32_t sourceSize, std::string_view name, const Bytes& data);

} // namespace qx::test
