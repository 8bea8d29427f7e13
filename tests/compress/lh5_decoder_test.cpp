// The decoder on hand-built lh5 streams: table forms, long codes, matches
// across pieces, and every kind of corrupt table, which must be refused.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "compress/bit_reader.h"
#include "compress/decode_tables.h"
#include "compress/lh5_decoder.h"
#include "compress/platform/memory_block.h"
#include "compress/read_cache.h"
#include "archive_files.h"
#include "support/lh5_stream_builder.h"
#include "support/scratch_dir.h"

namespace qx::compress {
namespace {

using test::BitWriter;
using test::BlockHeader;
using test::Bytes;
using test::LengthsFor;

// Feeds a stream to the decoder through a real file and read cache.
class StreamDecoder {
public:
    explicit StreamDecoder(const Bytes& stream, std::uint32_t packedSize)
    {
        test::WriteBytes(path_, stream);
        handle_ = OpenHandle(path_.c_str(), HandleAccess::Read);
        cache_.Attach(handle_);
        tables_ = AllocBlockOf<DecodeTables>();
        bits_.emplace(cache_, packedSize);
        decoder_.emplace(*bits_, *tables_);
    }
    explicit StreamDecoder(const Bytes& stream) : StreamDecoder(stream, static_cast<std::uint32_t>(stream.size())) {}
    ~StreamDecoder() { CloseHandle(handle_); }

    // Decodes `size` bytes in pieces of `piece` bytes into one string; false
    // when corrupt. Pieces shorter than 8192 break the ring of matches.
    bool Decode(std::size_t size, std::string& out, std::uint32_t piece = 8192)
    {
        std::uint8_t* ring = ring_.data();
        while (size > 0) {
            const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(size, piece));
            if (!decoder_->DecodeBytes(n, ring)) return false;
            out.append(reinterpret_cast<const char*>(ring), n);
            size -= n;
        }
        return true;
    }
    ErrorCode StreamError() const { return bits_->Error(); }

private:
    test::ScratchDir dir_;
    std::string path_ = dir_.File("stream");
    FileHandle handle_ = kBadHandle;
    ReadCache cache_;
    BlockPtr<DecodeTables> tables_;
    std::optional<BitReader> bits_;
    std::optional<Lh5Decoder> decoder_;
    // The dictionary ring, zero-filled as the extractor's buffer is.
    std::array<std::uint8_t, 8192> ring_{};
};

// Code-length code able to send every length 1 to 16: symbol 0 (a zero
// length) 1 bit, symbols 3 to 18 five bits each.
std::vector<std::uint8_t> AllLengthsCode()
{
    std::vector<std::uint8_t> lengths(19, 5);
    lengths[0] = 1;
    lengths[1] = lengths[2] = 0;
    return lengths;
}

TEST(Lh5Decoder, OneSymbolBlockSendsNoBitsPerItem)
{
    BitWriter w;
    PutBlockHeader(w, BlockHeader{.items = 5000, .lengthOnly = 0, .symbolOnly = 'Q', .classOnly = 0});
    StreamDecoder d(w.Finish());
    std::string out;
    ASSERT_TRUE(d.Decode(5000, out));
    EXPECT_EQ(out, std::string(5000, 'Q'));
}

TEST(Lh5Decoder, LongCodesWalkTheTreesOfBothTables)
{
    // 16 literals of lengths 1 to 15 and 16, one match symbol of length 16:
    // a complete code whose long codes go through the tree below the
    // 12-bit table. Ten position classes of lengths 1 to 9 and 9 do the
    // same below the 8-bit table.
    std::vector<std::pair<unsigned, std::uint8_t>> symbols;
    for (unsigned i = 0; i < 15; ++i) symbols.push_back({'a' + i, static_cast<std::uint8_t>(i + 1)});
    symbols.push_back({'a' + 15, 16});
    symbols.push_back({47 + 253, 16});
    std::vector<std::pair<unsigned, std::uint8_t>> classes;
    for (unsigned k = 0; k < 9; ++k) classes.push_back({k, static_cast<std::uint8_t>(k + 1)});
    classes.push_back({9, 9});
    test::BlockScript block(BlockHeader{.lengthLengths = AllLengthsCode(),
                                        .symbolLengths = LengthsFor(510, symbols),
                                        .classLengths = LengthsFor(10, classes)});
    for (int round = 0; round < 30; ++round)
        for (unsigned i = 0; i < 16; ++i) block.Literal(static_cast<std::uint8_t>('a' + i));
    for (unsigned k = 0; k < 10; ++k) block.Match(47, k <= 1 ? k : (1u << (k - 1)) + 1);

    BitWriter w;
    block.WriteTo(w);
    std::string expected;
    block.Apply(expected);
    StreamDecoder d(w.Finish());
    std::string out;
    ASSERT_TRUE(d.Decode(expected.size(), out));
    EXPECT_EQ(out, expected);
}

TEST(Lh5Decoder, MatchesContinueAcrossPiecesAndBlocks)
{
    // Two literals and 256-byte matches with distances 2 and 6, over two
    // blocks; matches straddle the 8192-byte pieces.
    const auto symbolLengths = LengthsFor(510, {{'x', 2}, {'y', 2}, {509, 2}, {259, 2}});
    test::BlockScript first(BlockHeader{.lengthLengths = AllLengthsCode(), .symbolLengths = symbolLengths,
                                        .classOnly = 1});
    first.Literal('x');
    first.Literal('y');
    for (int i = 0; i < 50; ++i) first.Match(256, 1);
    test::BlockScript second(BlockHeader{.lengthLengths = AllLengthsCode(), .symbolLengths = symbolLengths,
                                         .classOnly = 3});
    for (int i = 0; i < 30; ++i) second.Match(256, 5);
    second.Match(6, 5);

    BitWriter w;
    first.WriteTo(w);
    second.WriteTo(w);
    std::string expected;
    first.Apply(expected);
    second.Apply(expected);
    ASSERT_GT(expected.size(), 2 * 8192u);
    StreamDecoder d(w.Finish());
    std::string out;
    ASSERT_TRUE(d.Decode(expected.size(), out));
    EXPECT_EQ(out, expected);
}

TEST(Lh5Decoder, MatchesOfEveryShortDistanceAndLengthCopyAsByteByByte)
{
    // Literals 'a' to 'f', match lengths 3 to 22; distance classes 0 to 5 and 13.
    std::vector<std::pair<unsigned, std::uint8_t>> symbols;
    for (unsigned c = 'a'; c <= 'f'; ++c) symbols.push_back({c, 4});
    for (unsigned length = 3; length <= 22; ++length) symbols.push_back({length + 253, 5});
    const auto classLengths = LengthsFor(14, {{0, 2}, {1, 2}, {2, 3}, {3, 3}, {4, 3}, {5, 4}, {13, 4}});
    test::BlockScript block(BlockHeader{.lengthLengths = AllLengthsCode(),
                                        .symbolLengths = LengthsFor(510, symbols),
                                        .classLengths = classLengths});
    for (unsigned c = 'a'; c <= 'f'; ++c) block.Literal(static_cast<std::uint8_t>(c));
    for (unsigned distanceCode = 0; distanceCode < 20; ++distanceCode)
        for (unsigned length = 3; length <= 22; ++length) {
            block.Match(length, distanceCode);
            block.Literal(static_cast<std::uint8_t>('a' + (length + distanceCode) % 6));
        }
    for (int i = 0; i < 150; ++i) block.Match(22, 19);
    // A match 8192 bytes back: the ring slot it writes is the one it reads.
    block.Match(22, 8191);
    block.Match(3, 8191);
    BitWriter w;
    block.WriteTo(w);
    std::string expected;
    block.Apply(expected);
    ASSERT_GT(expected.size(), 8192u + 25);
    StreamDecoder d(w.Finish());
    std::string out;
    ASSERT_TRUE(d.Decode(expected.size(), out));
    EXPECT_EQ(out, expected);
}

TEST(Lh5Decoder, MatchReachingBeforeTheStartReadsZeros)
{
    test::BlockScript block(BlockHeader{.lengthLengths = AllLengthsCode(),
                                        .symbolLengths = LengthsFor(510, {{'k', 1}, {10 + 253, 1}}),
                                        .classOnly = 13});
    block.Literal('k');
    block.Match(10, 8000);
    BitWriter w;
    block.WriteTo(w);
    std::string expected;
    block.Apply(expected);
    StreamDecoder d(w.Finish());
    std::string out;
    ASSERT_TRUE(d.Decode(expected.size(), out));
    EXPECT_EQ(out, "k" + std::string(10, '\0'));
}

TEST(Lh5Decoder, NoPendingCopyRunsAfterManyPiecesWithoutMatches)
{
    // Two literals of one bit each, alternating, decoded one byte per call:
    // 40000 calls without a match must leave no copy pending (a counter
    // that dropped at every call would wrap and repeat old bytes).
    test::BlockScript block(BlockHeader{.lengthLengths = AllLengthsCode(),
                                        .symbolLengths = LengthsFor(510, {{'A', 1}, {'B', 1}})});
    for (int i = 0; i < 40000; ++i) block.Literal(i % 2 ? 'B' : 'A');
    BitWriter w;
    block.WriteTo(w);
    std::string expected;
    block.Apply(expected);
    StreamDecoder d(w.Finish());
    std::string out;
    ASSERT_TRUE(d.Decode(expected.size(), out, 1));
    EXPECT_EQ(out, expected);
}

TEST(Lh5Decoder, PackedDataThatEndsEarlyIsReported)
{
    BitWriter w;
    PutBlockHeader(w, BlockHeader{.items = 100, .symbolOnly = 'Q'});
    Bytes stream = w.Finish();
    StreamDecoder d(stream, static_cast<std::uint32_t>(stream.size()) + 10);
    std::string out;
    d.Decode(100, out);
    EXPECT_EQ(d.StreamError(), kErrorHandleEof);
}

// A block whose tables are broken in one way each; decoding must refuse it.
struct CorruptCase {
    const char* name;
    void (*write)(BitWriter&);
};

const CorruptCase kCorruptCases[] = {
    {"symbol lengths leave the code space half empty",
     [](BitWriter& w) { PutBlockHeader(w, BlockHeader{.items = 1, .lengthLengths = AllLengthsCode(),
                                                      .symbolLengths = LengthsFor(510, {{'a', 1}})}); }},
    {"symbol lengths overfill the code space",
     [](BitWriter& w) {
         PutBlockHeader(w, BlockHeader{.items = 1, .lengthLengths = AllLengthsCode(),
                                       .symbolLengths = LengthsFor(510, {{'a', 1}, {'b', 1}, {'c', 1}})});
     }},
    {"code-length lengths incomplete",
     [](BitWriter& w) {
         PutBlockHeader(w, BlockHeader{.items = 1, .lengthLengths = {1, 0, 0, 2},
                                       .symbolLengths = LengthsFor(510, {{'a', 1}, {'b', 1}})});
     }},
    {"a code length over 16",
     [](BitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 4);
         w.Put(3, 7);
         for (int i = 0; i < 10; ++i) w.Put(1, 1); // 7 + 10 = 17
         w.Put(1, 0);
     }},
    {"more code-length lengths than 19",
     [](BitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 20);
     }},
    {"more position class lengths than 14",
     [](BitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 0);
         w.Put(9, 0);
         w.Put(9, 'a');
         w.Put(4, 15);
     }},
    {"one-symbol code-length table naming symbol 25",
     [](BitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 25);
     }},
    {"one-symbol symbol table naming symbol 511",
     [](BitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 0);
         w.Put(9, 0);
         w.Put(9, 511);
     }},
    {"one-symbol class table naming class 14",
     [](BitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 0);
         w.Put(9, 0);
         w.Put(9, 300);
         w.Put(4, 0);
         w.Put(4, 14);
     }},
    {"a run of zero lengths beyond 510",
     [](BitWriter& w) {
         w.Put(16, 1);
         w.Put(5, 0);
         w.Put(5, 2); // every code-length symbol is 2: a long run of zeros
         w.Put(9, 510);
         w.Put(9, 511 - 20);
     }},
};

TEST(Lh5Decoder, CorruptTablesAreRefused)
{
    for (const CorruptCase& c : kCorruptCases) {
        BitWriter w;
        c.write(w);
        // Whatever follows: a lot of one bits, then zeros.
        for (int i = 0; i < 64; ++i) w.Put(16, 0xFFFF);
        StreamDecoder d(w.Finish());
        std::string out;
        EXPECT_FALSE(d.Decode(1000, out)) << c.name;
    }
}

} // namespace
} // namespace qx::compress
