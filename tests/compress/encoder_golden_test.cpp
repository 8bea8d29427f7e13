// Archives whose every bit was worked out by hand from the coding rules:
// the items chosen by the lazy matcher, the Huffman lengths with their tie
// rules, the canonical codes, the table forms and the last partial byte.
// Beside them, archives of larger inputs kept as files (golden/*.lh5, the
// lh5 data only), packed once and compared bit for bit ever since, so that
// a faster encoder is known to write exactly what the slower one wrote.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "compress/archive_format.h"
#include "compress/encoder_support.h"
#include "support/archive_fixtures.h"
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

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes bytes;
    for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// The whole archive of `source` packed with `data` as its lh5 data.
Bytes ExpectedArchive(const ScratchDir& dir, const Bytes& source, const Bytes& data)
{
    compress::MemberHeader header;
    header.SetMethod(compress::Method::Lh5);
    header.SetPackedSize(static_cast<std::uint32_t>(data.size()));
    header.SetSourceSize(static_cast<std::uint32_t>(source.size()));
    header.SetName(dir.File("source.bin"));
    Bytes archive{compress::kLeadByte};
    archive.insert(archive.end(), header.bytes.begin(), header.bytes.end());
    archive.insert(archive.end(), data.begin(), data.end());
    archive.insert(archive.end(), {0x00, 0x00});
    return archive;
}

TEST(EncoderGolden, WholeArchivesBitForBit)
{
    for (const auto& golden : kGoldens) {
        SCOPED_TRACE(golden.name);
        ScratchDir dir;
        const Packed packed = PackWithWriteMember(dir, golden.source);
        ASSERT_EQ(packed.result, compress::MemberResult::Written);
        EXPECT_EQ(packed.archive, ExpectedArchive(dir, golden.source, golden.data));
    }
}

// FNV-1a of the input, so that a change of the generators is told apart
// from a change of the encoder: the kept archives then need packing anew
// with an encoder known to be right.
std::uint64_t Fingerprint(const Bytes& bytes)
{
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3u;
    return hash;
}

// Runs at the distances of pixels and patterns (1 to 5 bytes), of lengths
// around the 256-byte match and up past the window, in an order drawn at
// random, with short pieces of text between them: runs that cross window
// moves, lose their oldest leaves to the history, and end on strings that
// agree on 255 bytes.
Bytes ShortPeriodRuns()
{
    static const std::uint8_t kPatterns[][5] = {
        {0xFF}, {0xC0}, {'a', 'b'}, {0x10, 0x20, 0x30}, {0xC0, 0xC0, 0xC1}, {1, 2, 3, 0}, {'x', 'y', 'z', 'y', 'x'},
    };
    static const std::size_t kPeriods[] = {1, 1, 2, 3, 3, 4, 5};
    static const std::size_t kLengths[] = {255, 256, 257, 511, 3000, 9000, 20000};
    std::mt19937 rng(42);
    Bytes bytes;
    for (int piece = 0; piece < 90; ++piece) {
        const std::size_t kind = rng() % std::size(kPatterns);
        const std::size_t length = kLengths[rng() % std::size(kLengths)] + rng() % 3;
        for (std::size_t i = 0; i < length; ++i) bytes.push_back(kPatterns[kind][i % kPeriods[kind]]);
        const Bytes text = ReportLikeText(rng() % 200, static_cast<std::uint32_t>(piece));
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    return bytes;
}

struct KeptGolden {
    const char* file; // under tests/compress/golden
    std::function<Bytes()> source;
    std::uint64_t fingerprint;
};

// A screenshot (flat areas, long runs, text strokes), report text (short
// matches at every distance), a report file with a stretch that does not
// pack between two copies of its start that lie too far apart to match, and
// runs at short distances.
const KeptGolden kKept[] = {
    {"screenshot-1280x720.lh5", [] { return ScreenshotBmp(1280, 720, 2026); }, 0x97A5111257BC7936u},
    {"report-text-300k.lh5", [] { return ReportLikeText(300000, 18); }, 0x9643FF0BD60B5E26u},
    {"report-file-mixed.lh5",
     [] {
         const Bytes bitmap = ScreenshotBmp(400, 300, 7);
         return Concat({bitmap, ReportLikeText(40000, 5), RandomBytes(12000, 3),
                        Bytes(bitmap.begin(), bitmap.begin() + 20000)});
     },
     0x1EE48F316A9151D1u},
    {"short-period-runs.lh5", ShortPeriodRuns, 0xDEB67DA363A87774u},
};

std::string GoldenPath(const char* file)
{
    const char* root = std::getenv("QX_SOURCE_DIR");
    return std::string(root != nullptr ? root : ".") + "/tests/compress/golden/" + file;
}

TEST(EncoderGolden, KeptArchivesOfLargerInputs)
{
    for (const auto& kept : kKept) {
        SCOPED_TRACE(kept.file);
        const Bytes source = kept.source();
        ASSERT_EQ(Fingerprint(source), kept.fingerprint) << "the input generator changed";
        const Bytes data = ReadFileBytes(GoldenPath(kept.file));
        ASSERT_FALSE(data.empty()) << "missing " << GoldenPath(kept.file);
        ScratchDir dir;
        const Packed packed = PackWithWriteMember(dir, source);
        ASSERT_EQ(packed.result, compress::MemberResult::Written);
        EXPECT_TRUE(packed.archive == ExpectedArchive(dir, source, data))
            << "packed " << PackedData(packed.archive).size() << " data bytes, kept " << data.size();
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
