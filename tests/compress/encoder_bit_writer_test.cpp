// The bit writer: bit order, bytes completed across calls, the packing rule
// and the write cache in front of the archive.

#include <gtest/gtest.h>

#include <memory>

#include "compress/bit_writer.h"
#include "compress/encoder_support.h"
#include "compress/platform/memory_block.h"
#include "support/faulty_file_ops.h"

namespace qx::compress {
namespace {

using test::Bytes;

// A bit writer in front of a fresh archive file.
class BitWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(table_.Held());
        ASSERT_TRUE(archive_.Open(dir_.File("out").c_str(), kArchiveCreateFlags));
        out_ = AllocBlockOf<BitWriter>();
        ASSERT_TRUE(out_);
        out_->Start();
        out_->cache.Attach(archive_.get());
    }

    Bytes Written()
    {
        EXPECT_TRUE(out_->cache.Flush());
        archive_.Close();
        return test::ReadFileBytes(dir_.File("out"));
    }

    test::ScratchDir dir_;
    SlotTableReference table_;
    ScopedSlot archive_;
    BlockPtr<BitWriter> out_;
};

TEST_F(BitWriterTest, MostSignificantBitFirstAcrossBytes)
{
    out_->bytesRead = 1000;
    out_->PutBits(3, 0b101);
    out_->PutBits(16, 0xABCD);
    out_->PutBits(0, 0);
    out_->PutBits(4, 0b0111);
    out_->PutBits(7, 0); // completes the partial byte; the 6 bits left stay unwritten
    // 10110101 01111001 10101110 | 000000
    EXPECT_EQ(Written(), (Bytes{0xB5, 0x79, 0xAE}));
    EXPECT_EQ(out_->bytesWritten, 3u);
    EXPECT_FALSE(out_->unpackable);
}

TEST_F(BitWriterTest, PaddingWithNothingPendingWritesNothing)
{
    out_->bytesRead = 1000;
    out_->PutBits(8, 0x5A);
    out_->PutBits(7, 0);
    EXPECT_EQ(Written(), (Bytes{0x5A}));
}

TEST_F(BitWriterTest, PackingRuleStopsAtTheFirstByteThatDoesNotPay)
{
    // Two data bytes plus the 283-byte header stay below 285 bytes read; a
    // third would not.
    out_->bytesRead = 285;
    out_->PutBits(16, 0x1234);
    EXPECT_FALSE(out_->unpackable);
    out_->PutBits(8, 0x56);
    EXPECT_TRUE(out_->unpackable);
    out_->PutBits(16, 0xFFFF);
    EXPECT_EQ(out_->bytesWritten, 2u);
    EXPECT_EQ(Written(), (Bytes{0x12, 0x34}));
}

TEST_F(BitWriterTest, CacheWritesPiecesOf16000)
{
    test::FaultyFileOps ops;
    ScopedFileOps scoped(ops);
    out_->bytesRead = 100000;
    for (int i = 0; i < 40000; ++i) out_->PutBits(8, static_cast<unsigned>(i & 0xFF));
    const Bytes bytes = Written();
    ASSERT_EQ(bytes.size(), 40000u);
    for (int i = 0; i < 40000; ++i) ASSERT_EQ(bytes[i], i & 0xFF);
    // 16000 bytes each time the cache is full, in pieces of 4096, then the rest.
    std::size_t total = 0;
    for (std::size_t n : ops.WriteCalls()) {
        EXPECT_LE(n, 4096u);
        total += n;
    }
    EXPECT_EQ(total, 40000u);
}

TEST_F(BitWriterTest, FailedCacheWriteIsRemembered)
{
    test::FaultyFileOps ops;
    ScopedFileOps scoped(ops);
    ops.FailWritesAfter(0, test::WriteFault::DiskFull);
    out_->bytesRead = 100000;
    for (int i = 0; i < 16001; ++i) out_->PutBits(8, 0x11);
    EXPECT_TRUE(out_->writeFailed);
    EXPECT_EQ(out_->bytesWritten, 16001u);
}

} // namespace
} // namespace qx::compress
