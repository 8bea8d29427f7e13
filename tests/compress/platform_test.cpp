// Memory blocks, last error numbers, file times, free space and short paths.
#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <fstream>
#include <sys/stat.h>

#include "compress/platform/file_slots.h"
#include "compress/platform/file_time.h"
#include "compress/platform/last_error.h"
#include "compress/platform/memory_block.h"
#include "compress/platform/short_path.h"
#include "compress/platform/volume.h"
#include "support/faulty_file_ops.h"
#include "support/scratch_dir.h"
#include "support/small_volume.h"

namespace qx::compress {
namespace {

TEST(MemoryBlock, BlocksAreZeroFilled)
{
    for (int round = 0; round < 3; ++round) {
        auto block = AllocBlockArray<std::uint8_t>(100000);
        ASSERT_TRUE(block);
        for (std::size_t i = 0; i < 100000; ++i) ASSERT_EQ(block[i], 0) << i;
        std::fill_n(block.get(), 100000, std::uint8_t{0xAB}); // dirty for the next round
    }
    FreeBlock(nullptr);
}

class RefusingMemory : public MemorySource {
public:
    void* Allocate(std::size_t) override { return nullptr; }
    void Release(void*) override {}
};

TEST(MemoryBlock, AReplacedSourceCanRefuse)
{
    RefusingMemory refusing;
    {
        ScopedMemorySource use(refusing);
        EXPECT_EQ(AllocBlock(16), nullptr);
    }
    void* block = AllocBlock(16);
    EXPECT_NE(block, nullptr);
    FreeBlock(block);
}

TEST(LastError, ErrnoValuesMapToTheWindowsNumbersCallersTest)
{
    struct Case {
        int errnoValue;
        ErrorCode error;
    };
    const Case cases[] = {
        {0, 0},        {EACCES, 5},  {EPERM, 5},   {EAGAIN, 33}, {ENOLCK, 33},  {ENOSPC, 112},
        {EDQUOT, 39},  {ENOENT, 2},  {ENOTDIR, 3}, {EBADF, 6},   {ENOMEM, 8},   {EEXIST, 80},
        {EINVAL, 87},  {ENAMETOOLONG, 206},        {EIO, 31},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorFromErrno(c.errnoValue), c.error) << c.errnoValue;
    EXPECT_TRUE(IsDiskFull(39));
    EXPECT_TRUE(IsDiskFull(112));
    EXPECT_FALSE(IsDiskFull(5));
}

class FileTimes : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AcquireFileSlots());
        path_ = dir_.File("timed");
        std::ofstream(path_) << "x";
        ASSERT_TRUE(OpenSlot(path_.c_str(), kOpenRead | kOpenWrite | kOpenExisting, slot_));
    }
    void TearDown() override
    {
        CloseSlot(slot_);
        ReleaseFileSlots();
    }
    std::time_t ModifiedTime() const
    {
        struct stat info {};
        ::stat(path_.c_str(), &info);
        return info.st_mtime;
    }
    static std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
    {
        std::tm tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        tm.tm_hour = hour;
        tm.tm_min = minute;
        tm.tm_sec = second;
        tm.tm_isdst = -1;
        return std::mktime(&tm);
    }

    test::ScratchDir dir_;
    std::string path_;
    FileSlot slot_ = kNoSlot;
};

TEST_F(FileTimes, ACopiedTimeKeepsTheEvenSecondBelow)
{
    ASSERT_TRUE(SetSlotTime(slot_, FileStamp{2026, 3, 14, 14, 3, 59}));
    EXPECT_EQ(ModifiedTime(), LocalTime(2026, 3, 14, 14, 3, 58));
    EXPECT_EQ(GetSlotTime(slot_), (FileStamp{2026, 3, 14, 14, 3, 58}));
}

TEST_F(FileTimes, MinusOneKeepsTheDateOrTheTimeOfDay)
{
    ASSERT_TRUE(SetSlotTime(slot_, FileStamp{2020, 1, 2, 10, 20, 30}));
    ASSERT_TRUE(SetSlotTime(slot_, FileStamp{-1, 0, 0, 11, 22, 33}));
    EXPECT_EQ(ModifiedTime(), LocalTime(2020, 1, 2, 11, 22, 32));
    ASSERT_TRUE(SetSlotTime(slot_, FileStamp{2021, 5, 6, -1, 0, 0}));
    EXPECT_EQ(ModifiedTime(), LocalTime(2021, 5, 6, 11, 22, 32));
    ASSERT_TRUE(SetSlotTime(slot_, FileStamp{-1, 0, 0, -1, 0, 0}));
    EXPECT_EQ(ModifiedTime(), LocalTime(2021, 5, 6, 11, 22, 32));
}

TEST_F(FileTimes, ATimeOutside1980To2107IsLeftAsItIs)
{
    ASSERT_TRUE(SetSlotTime(slot_, FileStamp{2000, 6, 7, 8, 9, 10}));
    const std::time_t before = ModifiedTime();
    for (std::int16_t year : {std::int16_t{1979}, std::int16_t{2108}, std::int16_t{1900}}) {
        EXPECT_FALSE(SetSlotTime(slot_, FileStamp{year, 6, 7, 8, 9, 10})) << year;
        EXPECT_EQ(ModifiedTime(), before) << year;
    }
    EXPECT_TRUE(SetSlotTime(slot_, FileStamp{1980, 1, 1, 0, 0, 0}));
    EXPECT_TRUE(SetSlotTime(slot_, FileStamp{2107, 12, 31, 23, 59, 59}));
}

TEST(FreeSpace, ComesFromTheVolumeAndIsCappedAt2147483647)
{
    test::ScratchDir dir;
    test::FaultyFileOps ops;
    ScopedFileOps use(ops);
    ops.ReportFreeSpace(4);
    EXPECT_EQ(GetFreeDiskBytes(dir.Path().c_str()), 4);
    EXPECT_EQ(GetFreeDiskBytes(dir.File("not-yet-created").c_str()), 4) << "measured on its directory";
    ops.ReportFreeSpace(std::uint64_t{1} << 40);
    EXPECT_EQ(GetFreeDiskBytes(dir.Path().c_str()), 2147483647);
    ops.ReportUnknownFreeSpace();
    EXPECT_EQ(GetFreeDiskBytes(dir.Path().c_str()), std::nullopt);
    EXPECT_EQ(GetFreeDiskBytes(""), std::nullopt);
}

TEST(FreeSpace, OfARealSmallVolume)
{
    const auto result = test::RunOnSmallVolume(64 * 1024, test::VolumeMode::Writable, [](const std::string& volume) {
        const auto free = GetFreeDiskBytes(volume.c_str());
        return free && *free > 32 * 1024 && *free <= 64 * 1024 ? 0 : 1;
    });
    if (!result) GTEST_SKIP() << "no private mount allowed here";
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(GetFreeDiskBytes("/no/such/volume/at/all"), std::nullopt);
}

TEST(ShortPath, IsTheExistingPathItself)
{
    test::ScratchDir dir;
    const std::string file = dir.File("LIST.EXE");
    std::ofstream(file) << "x";
    std::string out = "junk";
    EXPECT_EQ(BuildShortPath(file, out, 260), file.size());
    EXPECT_EQ(out, file);
    EXPECT_EQ(BuildShortPath(dir.Path().string(), out, 260), dir.Path().string().size());
    EXPECT_EQ(BuildShortPath(dir.File("missing"), out, 260), 0u);
    EXPECT_EQ(out, "");
    EXPECT_EQ(BuildShortPath(file, out, file.size() - 1), 0u) << "longer than allowed";
    EXPECT_EQ(out, "");
}

} // namespace
} // namespace qx::compress
