// Round trips through WriteMember, the independent stream reader and the
// library's own extractor, over the sizes where the window, the first read,
// the block buffer and the packing rule change behaviour.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "compress/archive_format.h"
#include "compress/encoder_support.h"
#include "support/archive_fixtures.h"
#include "support/lh5_items.h"

namespace qx::test {
namespace {

using compress::MemberHeader;
using compress::MemberResult;
using compress::Method;

MemberHeader HeaderOf(const Bytes& archive)
{
    MemberHeader header;
    if (archive.size() > compress::kHeaderOffset)
        std::copy_n(archive.begin() + compress::kHeaderOffset,
                    std::min(compress::kHeaderSize, archive.size() - compress::kHeaderOffset), header.bytes.begin());
    return header;
}

struct Source {
    std::string kind;
    std::function<Bytes(std::size_t)> make;
};

const Source kSources[] = {
    {"text", [](std::size_t n) { return ReportLikeText(n, 7); }},
    {"equal", [](std::size_t n) { return Bytes(n, 'a'); }},
    {"random", [](std::size_t n) { return RandomBytes(n, 11); }},
    {"repeated noise", [](std::size_t n) {
         // Matches up to 6000 bytes back, between stretches that do not pack.
         const Bytes piece = RandomBytes(std::min<std::size_t>(n, 6000), 5);
         Bytes b;
         while (b.size() < n) b.insert(b.end(), piece.begin(), piece.end());
         b.resize(n);
         return b;
     }},
};

const std::size_t kSizes[] = {0, 1, 2, 283, 284, 285, 300, 1000, 8191, 8192, 8193, 8447, 8448, 8449,
                              16383, 16384, 16385, 24577, 65536, 100000};

// Checks one archive of `source`: packed or plain copy as the packing rule
// decides, decodable by both readers, and the first item a literal.
void ExpectFaithful(const ScratchDir& dir, const Bytes& source, const Packed& packed)
{
    ASSERT_EQ(packed.result, MemberResult::Written);
    const MemberHeader header = HeaderOf(packed.archive);
    if (header.GetMethod() == Method::None) {
        EXPECT_EQ(packed.archive, source) << "a plain copy is the source itself";
    } else {
        ASSERT_EQ(header.GetMethod(), Method::Lh5);
        EXPECT_GT(source.size(), compress::kHeaderSize) << "no packed member for 283 bytes or less";
        EXPECT_EQ(packed.archive[0], compress::kLeadByte);
        EXPECT_EQ(header.SourceSize(), source.size());
        EXPECT_EQ(packed.archive.size(), header.PackedSize() + compress::kArchiveOverhead);
        EXPECT_EQ(packed.archive[packed.archive.size() - 1], 0);
        EXPECT_EQ(packed.archive[packed.archive.size() - 2], 0);
        // The packing rule lets the archive exceed its source by 3 bytes at most.
        EXPECT_LE(packed.archive.size(), source.size() + 3);
        EXPECT_EQ(header.Name(), dir.File("source.bin"));
        const auto stream = ParseLh5(PackedData(packed.archive), source.size());
        ASSERT_TRUE(stream.has_value());
        EXPECT_EQ(stream->output, source);
        EXPECT_LT(stream->blocks.front().items.front().symbol, 256) << "the first item is a literal";
        EXPECT_LE((stream->bitsUsed + 7) / 8, header.PackedSize());
        EXPECT_GE((stream->bitsUsed + 7) / 8 + 1, header.PackedSize()) << "no bytes beyond the last code";
    }
    int code = -1;
    EXPECT_EQ(Extract(dir, packed.archive, code), source);
    EXPECT_EQ(code, QXCOMPRESS_EXTRACT_DONE);
}

TEST(EncoderRoundTrip, EverySizeAndKind)
{
    for (const auto& kind : kSources) {
        for (std::size_t size : kSizes) {
            SCOPED_TRACE(kind.kind + " of " + std::to_string(size) + " bytes");
            ScratchDir dir;
            const Bytes source = kind.make(size);
            ExpectFaithful(dir, source, PackWithWriteMember(dir, source));
        }
    }
}

TEST(EncoderRoundTrip, SmallSourcesAndRandomDataAreCopied)
{
    for (const Bytes& source : {Bytes{}, Bytes{'x'}, Bytes(283, 'a'), RandomBytes(50000, 3)}) {
        ScratchDir dir;
        const Packed packed = PackWithWriteMember(dir, source);
        EXPECT_EQ(packed.result, MemberResult::Written);
        EXPECT_EQ(packed.archive, source);
    }
}

TEST(EncoderRoundTrip, SameInputSameBytes)
{
    const Bytes source = ReportLikeText(200000, 99);
    ScratchDir one;
    ScratchDir two;
    const Packed first = PackWithWriteMember(one, source);
    const Packed second = PackWithWriteMember(two, source);
    // Names differ by directory; everything after the header must be equal.
    ASSERT_EQ(first.archive.size(), second.archive.size());
    EXPECT_EQ(PackedData(first.archive), PackedData(second.archive));
}

TEST(EncoderRoundTrip, LongRunsUseTheLongestMatchAtDistanceOne)
{
    ScratchDir dir;
    const Bytes source = Bytes(100000, 0x41);
    const Packed packed = PackWithWriteMember(dir, source);
    const auto stream = ParseLh5(PackedData(packed.archive), source.size());
    ASSERT_TRUE(stream.has_value());
    const auto& items = stream->blocks.front().items;
    ASSERT_EQ(stream->blocks.size(), 1u);
    EXPECT_EQ(items.front(), (Lh5Item{0x41, 0}));
    // 1 literal, then 390 matches of 256 bytes (99 840), then the last 159.
    ASSERT_EQ(items.size(), 392u);
    for (std::size_t i = 1; i + 1 < items.size(); ++i) EXPECT_EQ(items[i], (Lh5Item{509, 0})) << i;
    EXPECT_EQ(items.back(), (Lh5Item{159 + 253, 0}));
}

TEST(EncoderRoundTrip, ScreenshotBitmap)
{
    ScratchDir dir;
    const Bytes source = ScreenshotBmp(800, 600, 1);
    const Packed packed = PackWithWriteMember(dir, source);
    ExpectFaithful(dir, source, packed);
    EXPECT_LT(packed.archive.size(), source.size() / 5);
}

} // namespace
} // namespace qx::test
