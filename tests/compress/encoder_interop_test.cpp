// The encoder's streams read by standard extractors (lhasa, libarchive's
// bsdtar) as black boxes, for the stream shapes that bitmaps and text do not
// reach: blocks with one symbol and one distance class, many small blocks
// from a small block buffer, the window and read boundaries.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <sys/wait.h>

#include "compress/archive_format.h"
#include "compress/block_encoder.h"
#include "compress/encoder_support.h"
#include "support/archive_fixtures.h"
#include "support/lh5_items.h"
#include "support/lha_level0.h"

namespace qx::test {
namespace {

bool HaveProgram(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Grants only blocks of at most `limit` bytes (the tree is allocated before).
class SmallBlocks final : public compress::MemorySource {
public:
    explicit SmallBlocks(std::size_t limit) : limit_(limit) {}
    void* Allocate(std::size_t bytes) override
    {
        return bytes > limit_ ? nullptr : compress::HeapMemorySource().Allocate(bytes);
    }
    void Release(void* block) override { compress::HeapMemorySource().Release(block); }

private:
    std::size_t limit_;
};

struct Shape {
    std::string name;
    std::function<Bytes()> source;
    std::size_t bufferLimit; // 0: the full block buffer
};

const Shape kShapes[] = {
    {"100000 equal bytes", [] { return Bytes(100000, 'Q'); }, 0},
    {"one-symbol blocks", [] { return Bytes(1 + 256 * 1000, 'a'); }, compress::kBlockBufferFloor},
    {"small blocks of text", [] { return ReportLikeText(300000, 21); }, compress::kBlockBufferFloor},
    {"noise repeated at long distances", [] {
         const Bytes piece = RandomBytes(7000, 22);
         Bytes b;
         for (int i = 0; i < 12; ++i) b.insert(b.end(), piece.begin(), piece.end() - i * 300);
         return b;
     }, 0},
    {"window and read boundaries", [] { return ReportLikeText(16385, 23); }, 0},
};

class EncoderInterop : public ::testing::TestWithParam<const char*> {
protected:
    Bytes Extract(const Bytes& lzh)
    {
        const std::string archive = dir_.File("standard.lzh");
        const std::string out = dir_.File("standard.out");
        WriteFileBytes(archive, lzh);
        const std::string tool = GetParam();
        const std::string command =
            (tool == "lhasa" ? "lhasa pq '" : "bsdtar -xOf '") + archive + "' >'" + out + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        return ReadFileBytes(out);
    }

    ScratchDir dir_;
};

TEST_P(EncoderInterop, StandardExtractorReadsEveryShape)
{
    if (!HaveProgram(GetParam())) GTEST_SKIP() << GetParam() << " is not installed (scripts/install-deps adds it)";
    for (const auto& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const Bytes source = shape.source();
        SmallBlocks small(shape.bufferLimit);
        PackSetting setting;
        if (shape.bufferLimit != 0) setting.writeMemory = &small;
        const Packed packed = PackWithWriteMember(dir_, source, setting);
        ASSERT_EQ(packed.result, compress::MemberResult::Written);
        compress::MemberHeader header;
        std::copy_n(packed.archive.begin() + compress::kHeaderOffset, compress::kHeaderSize, header.bytes.begin());
        ASSERT_EQ(header.GetMethod(), compress::Method::Lh5) << "the source must pack";
        const Bytes data = PackedData(packed.archive);
        EXPECT_TRUE(Extract(LhaLevel0Archive(data, source, "shape.bin")) == source);
    }
}

TEST(EncoderBlockForms, BlocksOfOneSymbolUseTheShortForms)
{
    ScratchDir dir;
    const Bytes source(1 + 256 * 1000, 'a');
    SmallBlocks small(compress::kBlockBufferFloor);
    const Packed packed = PackWithWriteMember(dir, source, {.writeMemory = &small});
    const auto stream = ParseLh5(PackedData(packed.archive), source.size());
    ASSERT_TRUE(stream.has_value());
    ASSERT_GE(stream->blocks.size(), 3u);
    // The first block holds the literal and matches; every later one only
    // 256-byte matches at distance 1: symbol 509 alone, class 0 alone.
    EXPECT_FALSE(stream->blocks.front().symbolLengths.empty());
    for (std::size_t i = 1; i < stream->blocks.size(); ++i) {
        const Lh5Block& block = stream->blocks[i];
        EXPECT_TRUE(block.symbolLengths.empty()) << i;
        EXPECT_EQ(block.symbolOnly, 509) << i;
        EXPECT_TRUE(block.lengthLengths.empty()) << i;
        EXPECT_TRUE(block.classLengths.empty()) << i;
        EXPECT_EQ(block.classOnly, 0) << i;
    }
    EXPECT_EQ(stream->output, source);
}

INSTANTIATE_TEST_SUITE_P(Debian, EncoderInterop, ::testing::Values("lhasa", "bsdtar"));

} // namespace
} // namespace qx::test
