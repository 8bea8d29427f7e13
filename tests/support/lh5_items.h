#pragma once

// An lh5 stream taken apart, for the encoder's tests: the blocks with the
// form of each table and every item. Written from the published block layout
// alone, bit by bit and without lookup tables, so it checks the encoder
// independently of the library's decoder.

#include <cstdint>
#include <optional>
#include <vector>

namespace qx::test {

struct Lh5Item {
    std::uint16_t symbol = 0;   // 0-255 literal, 256-509 match of symbol - 253 bytes
    std::uint16_t distance = 0; // distance code (distance - 1) of a match
    friend bool operator==(const Lh5Item&, const Lh5Item&) = default;
};

struct Lh5Block {
    std::uint16_t itemCount = 0;
    // A table in its one-symbol form keeps its lengths empty and names the symbol.
    std::vector<std::uint8_t> lengthLengths;
    std::uint16_t lengthOnly = 0;
    std::vector<std::uint8_t> symbolLengths;
    std::uint16_t symbolOnly = 0;
    std::vector<std::uint8_t> classLengths;
    std::uint16_t classOnly = 0;
    std::vector<Lh5Item> items;
};

struct Lh5Stream {
    std::vector<Lh5Block> blocks;
    std::vector<std::uint8_t> output; // the decoded bytes
    std::size_t bitsUsed = 0;
};

// Decodes blocks until `outputSize` bytes are produced. Nothing when the
// stream is malformed (a code that is not in a table, lengths that do not
// fill the code space, a distance before the start).
std::optional<Lh5Stream> ParseLh5(const std::vector<std::uint8_t>& data, std::size_t outputSize);

} // namespace qx::test
