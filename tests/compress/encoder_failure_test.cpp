// WriteMember when things go wrong: the block buffer shrinks to its floor
// and then gives up, writes fail at every stage, a plain copy cannot rewind
// its source, the source's first byte is locked, a read fails in the middle.

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "compress/archive_format.h"
#include "compress/block_encoder.h"
#include "compress/encoder_support.h"
#include "support/archive_fixtures.h"
#include "support/faulty_file_ops.h"
#include "support/lh5_items.h"

namespace qx::test {
namespace {

using compress::MemberResult;

// Grants blocks of at most `limit` bytes and records every request.
class SizeLimitedMemory final : public compress::MemorySource {
public:
    explicit SizeLimitedMemory(std::size_t limit) : limit_(limit) {}
    void* Allocate(std::size_t bytes) override
    {
        requests_.push_back(bytes);
        return bytes > limit_ ? nullptr : compress::HeapMemorySource().Allocate(bytes);
    }
    void Release(void* block) override { compress::HeapMemorySource().Release(block); }
    const std::vector<std::size_t>& Requests() const { return requests_; }

private:
    std::size_t limit_;
    std::vector<std::size_t> requests_;
};

// Reads of one file that start at its first byte fail, as when another
// program holds a lock on that byte.
class LockedFirstByte final : public compress::FileOps {
public:
    LockedFirstByte(std::string path, int errnoValue) : path_(std::move(path)), errno_(errnoValue) {}

    int Open(const char* path, int flags, mode_t mode) override
    {
        const int fd = real_.Open(path, flags, mode);
        if (fd >= 0 && path_ == path) locked_ = fd;
        return fd;
    }
    ssize_t Read(int fd, void* buffer, std::size_t count) override
    {
        if (fd == locked_ && real_.Seek(fd, 0, SEEK_CUR) == 0) {
            errno = errno_;
            return -1;
        }
        return real_.Read(fd, buffer, count);
    }
    ssize_t Write(int fd, const void* buffer, std::size_t count) override { return real_.Write(fd, buffer, count); }
    off_t Seek(int fd, off_t offset, int whence) override { return real_.Seek(fd, offset, whence); }
    int Truncate(int fd, off_t length) override { return real_.Truncate(fd, length); }
    int Close(int fd) override
    {
        if (fd == locked_) locked_ = -1;
        return real_.Close(fd);
    }
    int StatHandle(int fd, struct stat& info) override { return real_.StatHandle(fd, info); }
    int StatPath(const char* path, struct stat& info) override { return real_.StatPath(path, info); }
    int SetModifiedTime(int fd, const timespec& time) override { return real_.SetModifiedTime(fd, time); }
    int Remove(const char* path) override { return real_.Remove(path); }
    int VolumeStat(const char* path, struct statvfs& info) override { return real_.VolumeStat(path, info); }

private:
    compress::FileOps& real_ = compress::PosixFileOps();
    std::string path_;
    int errno_;
    int locked_ = -1;
};

// The sizes the block buffer is tried with: 16384, nine tenths each time,
// and 1024 as the last.
std::vector<std::size_t> BufferSizesDownToTheFloor()
{
    std::vector<std::size_t> sizes;
    for (std::size_t size = compress::kBlockBufferBytes; size > compress::kBlockBufferFloor; size = size / 10 * 9)
        sizes.push_back(size);
    sizes.push_back(compress::kBlockBufferFloor);
    return sizes;
}

TEST(EncoderFailure, BlockBufferStopsShrinkingAt1024AndThenTheCallFails)
{
    ScratchDir dir;
    SizeLimitedMemory none(compress::kBlockBufferFloor - 1);
    const Packed packed = PackWithWriteMember(dir, ReportLikeText(20000, 1), {.writeMemory = &none});
    EXPECT_EQ(packed.result, MemberResult::NoBlockBuffer);
    EXPECT_TRUE(packed.archive.empty()) << "nothing is written without a block buffer";
    const std::vector<std::size_t> expected = BufferSizesDownToTheFloor();
    EXPECT_EQ(none.Requests(), expected);
    EXPECT_EQ(expected.size(), 27u);
    EXPECT_EQ(expected[1], 14742u);
    EXPECT_EQ(expected[expected.size() - 2], 1134u);
}

TEST(EncoderFailure, SmallerBlockBuffersStillGiveValidArchives)
{
    const Bytes source = ReportLikeText(60000, 2);
    for (std::size_t limit : {std::size_t{5000}, std::size_t{compress::kBlockBufferFloor}}) {
        SCOPED_TRACE("buffer of at most " + std::to_string(limit));
        ScratchDir dir;
        SizeLimitedMemory memory(limit);
        const Packed packed = PackWithWriteMember(dir, source, {.writeMemory = &memory});
        ASSERT_EQ(packed.result, MemberResult::Written);
        const auto stream = ParseLh5(PackedData(packed.archive), source.size());
        ASSERT_TRUE(stream.has_value());
        EXPECT_EQ(stream->output, source);
        // A block holds what fits in the buffer: at most 8 items per 9 bytes.
        for (const auto& block : stream->blocks) EXPECT_LE(block.itemCount, limit * 8 / 9);
        EXPECT_GE(stream->blocks.size(), 5u);
        int code = -1;
        EXPECT_EQ(Extract(dir, packed.archive, code), source);
    }
}

struct WriteCase {
    const char* name;
    Bytes source;
    std::uint64_t budget; // bytes written before the volume is full
};

TEST(EncoderFailure, EveryFailedWriteIsReported)
{
    const Bytes text = ReportLikeText(200000, 3);
    const Bytes noise = RandomBytes(40000, 4);
    const WriteCase cases[] = {
        {"lead byte", text, 0},
        {"header block", text, 100},
        {"data through the cache", text, compress::kDataOffset + 5000},
        {"rewritten header or trailer", text, 0}, // budget set below from the packed size
        {"plain copy", noise, 20000},
    };
    ScratchDir sizing;
    const std::size_t packedLength = PackWithWriteMember(sizing, text).archive.size();
    for (WriteCase c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) == "rewritten header or trailer") c.budget = packedLength - 1;
        for (WriteFault fault : {WriteFault::DiskFull, WriteFault::NoProgress}) {
            ScratchDir dir;
            FaultyFileOps files;
            files.FailWritesAfter(c.budget, fault);
            const Packed packed = PackWithWriteMember(dir, c.source, {.files = &files});
            EXPECT_EQ(packed.result, MemberResult::WriteFailed);
            EXPECT_LE(packed.archive.size(), c.budget) << "what was written stays, nothing more";
        }
    }
}

TEST(EncoderFailure, FailedCutAfterThePlainCopyIsReported)
{
    ScratchDir dir;
    FaultyFileOps files;
    files.FailTruncate(EIO);
    const Packed packed = PackWithWriteMember(dir, RandomBytes(30000, 5), {.files = &files});
    EXPECT_EQ(packed.result, MemberResult::WriteFailed);
}

TEST(EncoderFailure, APlainCopyStopsAtTheFirstFailedWrite)
{
    ScratchDir dir;
    FaultyFileOps files;
    files.FailWritesAfter(300000, WriteFault::DiskFull);
    const Packed packed = PackWithWriteMember(dir, RandomBytes(2000000, 9), {.files = &files});
    EXPECT_EQ(packed.result, MemberResult::WriteFailed);
    EXPECT_EQ(files.FailedWrites(), 1);
}

TEST(EncoderFailure, ASourceThatCannotRewindLeavesNoPackedLookingArchive)
{
    ScratchDir dir;
    FaultyFileOps files;
    files.FailSeeksOf(dir.File("source.bin"), ESPIPE);
    const Packed packed = PackWithWriteMember(dir, RandomBytes(30000, 10), {.files = &files});
    EXPECT_EQ(packed.result, MemberResult::WriteFailed);
    EXPECT_TRUE(packed.archive.empty()) << packed.archive.size() << " bytes stay";
}

TEST(EncoderFailure, LockedFirstByteIsTakenAsM)
{
    for (int error : {EACCES, EAGAIN}) {
        for (const Bytes& source : {ReportLikeText(30000, 6), RandomBytes(3000, 7)}) {
            ScratchDir dir;
            LockedFirstByte files(dir.File("source.bin"), error);
            const Packed packed = PackWithWriteMember(dir, source, {.files = &files});
            ASSERT_EQ(packed.result, MemberResult::Written);
            Bytes expected = source;
            expected[0] = 'M';
            int code = -1;
            EXPECT_EQ(Extract(dir, packed.archive, code), expected) << "errno " << error;
        }
    }
}

TEST(EncoderFailure, ReadErrorInTheMiddleEndsTheData)
{
    ScratchDir dir;
    const Bytes source = ReportLikeText(30000, 8);
    FaultyFileOps files;
    files.FailReadsOf(dir.File("source.bin"), 10000, EIO);
    const Packed packed = PackWithWriteMember(dir, source, {.files = &files});
    ASSERT_EQ(packed.result, MemberResult::Written);
    compress::MemberHeader header;
    std::copy_n(packed.archive.begin() + compress::kHeaderOffset, compress::kHeaderSize, header.bytes.begin());
    EXPECT_EQ(header.SourceSize(), 10000u);
    int code = -1;
    EXPECT_EQ(Extract(dir, packed.archive, code), Bytes(source.begin(), source.begin() + 10000));
}

} // namespace
} // namespace qx::test
