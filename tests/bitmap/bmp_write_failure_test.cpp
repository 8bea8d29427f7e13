// A bitmap file that cannot be written completely is reported: a missing
// folder, a full volume (in memory and a real one), a read-only volume, a
// short write at any point and a failed close.
#include "bitmap/bmp_test_util.h"
#include "bitmap/write_screen_bitmap.h"
#include "support/bitmap_fixtures.h"
#include "support/memory_file_store.h"
#include "support/scratch_dir.h"
#include "support/small_volume.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx::test {
namespace {

TEST(BmpWriteFailure, FolderThatDoesNotExist)
{
    ScratchDir dir;
    const std::string path = dir.File("missing/screen.bmp");
    EXPECT_FALSE(WriteBitmapFile(Noise(4, 4, 24, 1), path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(BmpWriteFailure, EveryShortWriteFails)
{
    for (const int bpp : {8, 24}) {
        const Bitmap bitmap = Noise(1500, 4, bpp, 2);
        const std::size_t size = BitmapFileBytes(bitmap).size();
        for (const std::size_t freeBytes : {std::size_t{0}, std::size_t{13}, std::size_t{14}, std::size_t{53}, std::size_t{54},
                                            std::size_t{1078}, std::size_t{54 + 4096}, size - 1}) {
            MemoryFileStore store;
            store.freeBytes = freeBytes;
            EXPECT_FALSE(bitmap::WriteScreenBitmap(bitmap, store, "screen.bmp")) << bpp << " bpp, " << freeBytes << " bytes free";
        }
        MemoryFileStore exact;
        exact.freeBytes = size;
        EXPECT_TRUE(bitmap::WriteScreenBitmap(bitmap, exact, "screen.bmp"));
    }
}

TEST(BmpWriteFailure, FailedClose)
{
    MemoryFileStore store;
    store.failClose = true;
    EXPECT_FALSE(bitmap::WriteScreenBitmap(Noise(4, 4, 24, 1), store, "screen.bmp"));
}

TEST(BmpWriteFailure, RealFullVolume)
{
    const auto code = RunOnSmallVolume(64 * 1024, VolumeMode::Writable, [](const std::string& volume) {
        const bool small = WriteBitmapFile(Noise(20, 20, 24, 3), volume + "/small.bmp");
        const bool large = WriteBitmapFile(Noise(300, 300, 24, 4), volume + "/large.bmp");
        return small && !large ? 0 : 1;
    });
    if (!code) GTEST_SKIP() << "no private mount on this system";
    EXPECT_EQ(*code, 0);
}

TEST(BmpWriteFailure, RealReadOnlyVolume)
{
    const auto code = RunOnSmallVolume(64 * 1024, VolumeMode::ReadOnly, [](const std::string& volume) {
        return WriteBitmapFile(Noise(20, 20, 24, 3), volume + "/screen.bmp") ? 1 : 0;
    });
    if (!code) GTEST_SKIP() << "no private mount on this system";
    EXPECT_EQ(*code, 0);
}

} // namespace
} // namespace qx::test
