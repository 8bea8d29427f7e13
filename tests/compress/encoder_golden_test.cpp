// Archives whose every bit was worked out by hand from the coding rules:
// the items chosen by the lazy matcher, the Huffman lengths with their tie
// rules, the canonical codes, the table forms and the last partial byte.

#include <gtest/gtest.h>

#include "compress/archive_format.h"
#include "compress/encoder_support.h"
#include "support/scratch_dir.h"

namespace qx::test {
namespace {

struct Golden {
    const char* name;
    Bytes source;
    Bytes data; // the lh5 data between header and trailer
};

Bytes Runs(std::initializer_list<std::pair<std::size_t, char>> runs)
{
    Bytes bytes;
    for (auto [count, c] : runs) bytes.insert(bytes.end(), count, static_cast<std::uint8_t>(c));
    return bytes;
}

// 513 x "a": literal "a", then two matches of 256 bytes at distance 1.
//   16 bits: 3 items
//   code-length code: 5 bits, 4 entries; lengths 0 0 1; 2 bits, no zero
//     skipped; 1 (symbols 2 and 3 on one bit each)
//   symbol code: 9 bits, 510 entries; a run of 97 zeros, length 1, a run of
//     411 zeros, length 1 ("a" is 0, the 256-byte match 1)
//   class code: 4 + 4 bits, only class 0, which then takes no bits
//   items: 0 1 1; 7 bits of padding, of which the 4 that complete no byte
//     stay unwritten
// 257 x "a", 257 x "b": literal "a", match of 256, literal "b", match of 256,
//   the match on 1 bit ("0"), "a" and "b" on 2 ("10", "11"); code-length
//   symbols 2 (long zero run) on 1 bit, 3 and 4 on 2 bits; 5 entries with
//   lengths 0 0 1, no zero skipped, 2 2.
const Golden kGoldens[] = {
    {"513 equal bytes", Runs({{513, 'a'}}), {0x00, 0x03, 0x20, 0x04, 0x3F, 0xE1, 0x36, 0xC3, 0xC0, 0x18}},
    {"two runs of 257", Runs({{257, 'a'}, {257, 'b'}}),
     {0x00, 0x04, 0x28, 0x04, 0x4B, 0xFC, 0x26, 0xFB, 0x0D, 0x00, 0x4C}},
};

TEST(EncoderGolden, WholeArchivesBitForBit)
{
    for (const auto& golden : kGoldens) {
        SCOPED_TRACE(golden.name);
        ScratchDir dir;
        const Packed packed = PackWithWriteMember(dir, golden.source);
        ASSERT_EQ(packed.result, compress::MemberResult::Written);

        compress::MemberHeader expected;
        expected.SetMethod(compress::Method::Lh5);
        expected.SetPackedSize(static_cast<std::uint32_t>(golden.data.size()));
        expected.SetSourceSize(static_cast<std::uint32_t>(golden.source.size()));
        expected.SetName(dir.File("source.bin"));
        Bytes archive{compress::kLeadByte};
        archive.insert(archive.end(), expected.bytes.begin(), expected.bytes.end());
        archive.insert(archive.end(), golden.data.begin(), golden.data.end());
        archive.insert(archive.end(), {0x00, 0x00});
        EXPECT_EQ(packed.archive, archive);
    }
}

TEST(EncoderGolden, PlainCopiesOfSmallSources)
{
    for (const Bytes& source : {Bytes{}, Bytes{0x42}, Runs({{283, 'a'}})}) {
        ScratchDir dir;
        const Packed packed = PackWithWriteMember(dir, source);
        EXPECT_EQ(packed.result, compress::MemberResult::Written);
        EXPECT_EQ(packed.archive, source);
    }
}

} // namespace
} // namespace qx::test
