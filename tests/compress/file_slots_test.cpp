#include "compress/platform/file_slots.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/resource.h>
#include <vector>

#include "compress/platform/last_error.h"
#include "support/faulty_file_ops.h"
#include "support/scratch_dir.h"

namespace qx::compress {
namespace {

class FileSlots : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(AcquireFileSlots()); }
    void TearDown() override { ReleaseFileSlots(); }

    std::string MakeFile(const std::string& name, const std::string& content)
    {
        const std::string path = dir_.File(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    test::ScratchDir dir_;
};

TEST_F(FileSlots, SlotsAreHandedOutInAscendingOrderAndReusedLastFreedFirst)
{
    const std::string path = MakeFile("a", "abc");
    FileSlot a = kNoSlot, b = kNoSlot, c = kNoSlot;
    ASSERT_TRUE(OpenSlot(path.c_str(), kSourceOpenFlags, a));
    ASSERT_TRUE(OpenSlot(path.c_str(), kSourceOpenFlags, b));
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(SlotsInUse(), 2);
    ASSERT_TRUE(CloseSlot(a));
    ASSERT_TRUE(OpenSlot(path.c_str(), kSourceOpenFlags, c));
    EXPECT_EQ(c, 2) << "a freed slot goes to the head of the free list";
    EXPECT_TRUE(CloseSlot(b));
    EXPECT_TRUE(CloseSlot(c));
    EXPECT_EQ(SlotsInUse(), 0);
}

TEST_F(FileSlots, CloseOfANumberNotInUseFailsAndChangesNothing)
{
    const std::string path = MakeFile("a", "abc");
    FileSlot open = kNoSlot;
    ASSERT_TRUE(OpenSlot(path.c_str(), kSourceOpenFlags, open));
    for (FileSlot bad : {FileSlot{0}, FileSlot{1}, FileSlot{1026}, FileSlot{3}, FileSlot{-1}}) {
        EXPECT_FALSE(CloseSlot(bad)) << bad;
        EXPECT_EQ(LastFileError(), kErrorInvalidHandle);
        EXPECT_EQ(SlotHandle(bad), -1);
    }
    EXPECT_EQ(SlotsInUse(), 1);
    EXPECT_TRUE(CloseSlot(open));
}

TEST_F(FileSlots, The1025thSimultaneousOpenFails)
{
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    const rlimit saved = limit;
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, 4096);
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur < 1100) GTEST_SKIP() << "cannot raise the open-file limit";

    const std::string path = MakeFile("a", "abc");
    std::vector<FileSlot> slots;
    for (int i = 0; i < kSlotCapacity; ++i) {
        FileSlot slot = kNoSlot;
        ASSERT_TRUE(OpenSlot(path.c_str(), kSourceOpenFlags, slot)) << i;
        slots.push_back(slot);
    }
    EXPECT_EQ(slots.front(), kFirstSlot);
    EXPECT_EQ(slots.back(), kLastSlot);
    FileSlot extra = 7;
    EXPECT_FALSE(OpenSlot(path.c_str(), kSourceOpenFlags, extra));
    EXPECT_EQ(extra, kNoSlot);
    EXPECT_EQ(LastFileError(), kErrorTooManyOpenFiles);
    for (FileSlot slot : slots) EXPECT_TRUE(CloseSlot(slot));
    setrlimit(RLIMIT_NOFILE, &saved);
}

TEST_F(FileSlots, OpenFailuresLeaveTheReasonInTheLastError)
{
    FileSlot slot = 5;
    EXPECT_FALSE(OpenSlot(dir_.File("missing").c_str(), kSourceOpenFlags, slot));
    EXPECT_EQ(slot, kNoSlot);
    EXPECT_EQ(LastFileError(), kErrorFileNotFound);
    EXPECT_FALSE(OpenSlot(dir_.File("no/such/dir").c_str(), kArchiveCreateFlags, slot));
    EXPECT_EQ(LastFileError(), kErrorFileNotFound);
}

TEST_F(FileSlots, CreateReplacesReadSeekTruncate)
{
    const std::string path = MakeFile("f", "old contents that are long");
    FileSlot w = kNoSlot;
    ASSERT_TRUE(OpenSlot(path.c_str(), kArchiveCreateFlags, w));
    ASSERT_TRUE(WriteSlot(w, "0123456789", 10));
    std::uint32_t position = 99;
    ASSERT_TRUE(SeekSlot(w, -4, SeekOrigin::Current, &position));
    EXPECT_EQ(position, 6u);
    ASSERT_TRUE(SeekSlot(w, 0, SeekOrigin::End, &position));
    EXPECT_EQ(position, 10u);
    ASSERT_TRUE(TruncateSlot(w, 7));
    ASSERT_TRUE(SeekSlot(w, 0, SeekOrigin::Current, &position));
    EXPECT_EQ(position, 7u) << "the cut leaves the position there";
    EXPECT_FALSE(SeekSlot(w, 0, static_cast<SeekOrigin>(3), &position)) << "unknown origin";
    EXPECT_EQ(position, 7u);
    EXPECT_FALSE(SeekSlot(w, -100, SeekOrigin::Begin, nullptr));
    EXPECT_EQ(LastFileError(), kErrorNegativeSeek);
    ASSERT_TRUE(CloseSlot(w));

    FileSlot r = kNoSlot;
    ASSERT_TRUE(OpenSlot(path.c_str(), kSourceOpenFlags, r));
    char buffer[16] = {};
    std::uint32_t count = 0;
    ASSERT_TRUE(ReadSlot(r, buffer, sizeof buffer, &count));
    EXPECT_EQ(std::string(buffer, count), "0123456");
    EXPECT_EQ(LastFileError(), kErrorNone);
    ASSERT_TRUE(SeekSlot(r, 0, SeekOrigin::Begin, nullptr));
    EXPECT_FALSE(ReadSlot(r, buffer, sizeof buffer, nullptr)) << "without a count all bytes are needed";
    ASSERT_TRUE(SeekSlot(r, 0, SeekOrigin::Begin, nullptr));
    EXPECT_TRUE(ReadSlot(r, buffer, 7, nullptr));
    EXPECT_TRUE(CloseSlot(r));
}

TEST_F(FileSlots, WriteGoesOutInPiecesOf4096)
{
    test::FaultyFileOps ops;
    ScopedFileOps use(ops);
    FileSlot w = kNoSlot;
    ASSERT_TRUE(OpenSlot(dir_.File("big").c_str(), kArchiveCreateFlags, w));
    const std::vector<char> data(10000, 'x');
    ASSERT_TRUE(WriteSlot(w, data.data(), 10000));
    EXPECT_EQ(ops.WriteCalls(), (std::vector<std::size_t>{4096, 4096, 1808}));
    EXPECT_TRUE(WriteSlot(w, data.data(), 0)) << "nothing to write is a success";
    EXPECT_EQ(ops.WriteCalls().size(), 3u);
    EXPECT_TRUE(CloseSlot(w));
}

TEST_F(FileSlots, AFullVolumeFailsTheWriteWithError112AndAShortWriteIsAFailure)
{
    struct Case {
        test::WriteFault fault;
        ErrorCode error;
    };
    for (const Case c : {Case{test::WriteFault::DiskFull, kErrorDiskFull}, Case{test::WriteFault::QuotaFull, kErrorHandleDiskFull},
                         Case{test::WriteFault::IoError, kErrorGeneralFailure},
                         Case{test::WriteFault::NoProgress, kErrorWriteFault}}) {
        test::FaultyFileOps ops;
        ops.FailWritesAfter(5000, c.fault);
        ScopedFileOps use(ops);
        FileSlot w = kNoSlot;
        ASSERT_TRUE(OpenSlot(dir_.File("full").c_str(), kArchiveCreateFlags, w));
        const std::vector<char> data(6000, 'x');
        EXPECT_FALSE(WriteSlot(w, data.data(), 6000));
        EXPECT_EQ(LastFileError(), c.error);
        EXPECT_TRUE(CloseSlot(w));
    }
}

TEST_F(FileSlots, ReleasingTheLastReferenceFreesTheTable)
{
    ASSERT_TRUE(AcquireFileSlots()); // a second reference
    const std::string path = MakeFile("a", "abc");
    FileSlot slot = kNoSlot;
    ASSERT_TRUE(OpenSlot(path.c_str(), kSourceOpenFlags, slot));
    ReleaseFileSlots();
    EXPECT_EQ(SlotsInUse(), 1) << "still referenced once";
    ReleaseFileSlots();
    EXPECT_EQ(SlotsInUse(), 0);
    EXPECT_EQ(SlotHandle(slot), -1);
    FileSlot none = kNoSlot;
    EXPECT_FALSE(OpenSlot(path.c_str(), kSourceOpenFlags, none)) << "no table, no slot";
    ASSERT_TRUE(AcquireFileSlots()); // for TearDown
}

} // namespace
} // namespace qx::compress
