// nfCompacte: every status code from a real situation, the refusals that
// protect the source, the archive layout, the time copy, and round trips
// through nfDecompacte.
#include "qxcompress.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include "archive_files.h"
#include "compress/archive_format.h"
#include "compress/platform/file_ops.h"
#include "support/archive_fixtures.h"
#include "support/faulty_file_ops.h"
#include "support/refusing_memory.h"
#include "support/scratch_dir.h"
#include "support/small_volume.h"

namespace qx::compress {
namespace {

using test::Bytes;
using test::Exists;
using test::ReadBytes;
using test::WriteBytes;

class Compact : public ::testing::Test {
protected:
    std::string Put(const std::string& name, const Bytes& bytes) const
    {
        WriteBytes(dir_.File(name), bytes);
        return dir_.File(name);
    }
    std::string Path(const std::string& name) const { return dir_.File(name); }

    test::ScratchDir dir_;
};

TEST_F(Compact, MissingSourceGives1AndCreatesNoArchive)
{
    EXPECT_EQ(nfCompacte(0, Path("missing").c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN);
    EXPECT_FALSE(Exists(Path("a.qxr")));
}

TEST_F(Compact, ASourcePathLongerThan268Gives1AndCreatesNothing)
{
    std::string deep = dir_.Path().string();
    while (deep.size() < 260) deep += "/" + std::string(40, 'd');
    std::filesystem::create_directories(deep);
    const std::string source = deep + "/source.txt";
    ASSERT_GT(source.size(), std::size_t{QXCOMPRESS_MAX_PATH_LENGTH});
    WriteBytes(source, test::ReportLikeText(5000, 1));
    EXPECT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN);
    EXPECT_FALSE(Exists(Path("a.qxr")));

    // The longest path still fits.
    const std::string fits =
        dir_.Path().string() + "/" + std::string(QXCOMPRESS_MAX_PATH_LENGTH - dir_.Path().string().size() - 1, 'f');
    ASSERT_EQ(fits.size(), std::size_t{QXCOMPRESS_MAX_PATH_LENGTH});
    WriteBytes(fits, test::ReportLikeText(5000, 1));
    EXPECT_EQ(nfCompacte(0, fits.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITTEN);
    MemberHeader header;
    const Bytes archive = ReadBytes(Path("a.qxr"));
    std::copy_n(archive.begin() + 1, kHeaderSize, header.bytes.begin());
    EXPECT_EQ(header.Name(), fits);
}

TEST_F(Compact, AnArchiveThatCannotBeCreatedGives2)
{
    const std::string source = Put("s.txt", test::ReportLikeText(5000, 2));
    EXPECT_EQ(nfCompacte(0, source.c_str(), Path("no/such/dir/a.qxr").c_str()),
              QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE);
    const auto result = test::RunOnSmallVolume(64 * 1024, test::VolumeMode::ReadOnly, [&](const std::string& volume) {
        return nfCompacte(0, source.c_str(), (volume + "/a.qxr").c_str());
    });
    if (!result) GTEST_SKIP() << "no private mount allowed here";
    EXPECT_EQ(*result, QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE);
}

TEST_F(Compact, AnArchiveNamingTheSourceGives2AndTheSourceStaysWhole)
{
    const Bytes text = test::ReportLikeText(20000, 3);
    const std::string source = Put("s.txt", text);
    ASSERT_EQ(::link(source.c_str(), Path("hard").c_str()), 0);
    ASSERT_EQ(::symlink(source.c_str(), Path("soft").c_str()), 0);
    for (const std::string& archive : {source, Path("hard"), Path("soft"), Path("./s.txt")}) {
        EXPECT_EQ(nfCompacte(0, source.c_str(), archive.c_str()), QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE) << archive;
        EXPECT_EQ(ReadBytes(source), text) << archive;
    }
}

TEST_F(Compact, EmptyAndSmallSourcesGiveAPlainCopy)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{200}, std::size_t{283}}) {
        const Bytes data(size, 'a'); // packs well, yet too small to gain
        const std::string source = Put("s", data);
        ASSERT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITTEN) << size;
        EXPECT_EQ(ReadBytes(Path("a.qxr")), data) << size;
        EXPECT_EQ(lfTailleCompacte(0, Path("a.qxr").c_str()), QXCOMPRESS_SIZE_NOT_AN_ARCHIVE) << size;
    }
}

TEST_F(Compact, APackedArchiveHasItsLayout)
{
    const Bytes data(100000, 'e');
    const std::string source = Put("equal.bin", data);
    ASSERT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITTEN);
    const Bytes archive = ReadBytes(Path("a.qxr"));
    ASSERT_GT(archive.size(), kArchiveOverhead);
    MemberHeader header;
    std::copy_n(archive.begin() + 1, kHeaderSize, header.bytes.begin());
    EXPECT_EQ(archive[0], 0x20);
    EXPECT_EQ(header.GetMethod(), Method::Lh5);
    EXPECT_EQ(std::string(header.bytes.begin(), header.bytes.begin() + 6), std::string("-lh5-\0", 6));
    EXPECT_EQ(header.SourceSize(), 100000u);
    EXPECT_EQ(archive.size(), header.PackedSize() + 286u);
    EXPECT_EQ(archive[archive.size() - 1], 0);
    EXPECT_EQ(archive[archive.size() - 2], 0);
    EXPECT_EQ(header.Name(), source);
    EXPECT_EQ(lfTailleCompacte(0, Path("a.qxr").c_str()), static_cast<std::int32_t>(archive.size()));
}

TEST_F(Compact, TheArchiveTakesTheSourceTimeToTheEvenSecondBelow)
{
    const std::string source = Put("s.txt", test::ReportLikeText(30000, 4));
    const std::string plainSource = Put("p.bin", test::RandomBytes(30000, 4));
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 1;
    tm.tm_mday = 3;
    tm.tm_hour = 14;
    tm.tm_min = 3;
    tm.tm_sec = 59;
    tm.tm_isdst = -1;
    const std::time_t when = std::mktime(&tm);
    for (const std::string& s : {source, plainSource}) {
        const utimbuf times{when, when};
        ASSERT_EQ(::utime(s.c_str(), &times), 0);
        ASSERT_EQ(nfCompacte(0, s.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITTEN);
        struct stat info {};
        ASSERT_EQ(::stat(Path("a.qxr").c_str(), &info), 0);
        EXPECT_EQ(info.st_mtime, when - 1) << s;
    }
}

TEST_F(Compact, AFailedWriteGives4WhileTheVolumeHasRoom)
{
    const std::string source = Put("s.txt", test::ReportLikeText(200000, 5));
    test::FaultyFileOps ops;
    ops.FailWritesAfter(3000, test::WriteFault::IoError);
    ops.ReportFreeSpace(5);
    ScopedFileOps use(ops);
    EXPECT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITE_FAILED);
    EXPECT_TRUE(Exists(Path("a.qxr"))) << "the archive is left for the caller";
}

TEST_F(Compact, AFailedWriteGives7WhenTheVolumeIsFullOrUnknown)
{
    const std::string source = Put("s.txt", test::ReportLikeText(200000, 6));
    for (int answer = 0; answer < 3; ++answer) {
        test::FaultyFileOps ops;
        ops.FailWritesAfter(3000, answer == 2 ? test::WriteFault::QuotaFull : test::WriteFault::DiskFull);
        if (answer == 1) {
            ops.ReportUnknownFreeSpace();
        } else {
            ops.ReportFreeSpace(4);
        }
        ScopedFileOps use(ops);
        EXPECT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_VOLUME_FULL) << answer;
    }
}

TEST_F(Compact, ARealFullVolumeGives7)
{
    const std::string source = Put("s.bin", test::RandomBytes(200000, 7)); // a plain copy that does not fit
    const std::string text = Put("t.txt", test::ReportLikeText(2000000, 7)); // packs to more than the volume
    const auto result = test::RunOnSmallVolume(64 * 1024, test::VolumeMode::Writable, [&](const std::string& volume) {
        const int plain = nfCompacte(0, source.c_str(), (volume + "/p.qxr").c_str());
        std::filesystem::remove(volume + "/p.qxr");
        const int packed = nfCompacte(0, text.c_str(), (volume + "/t.qxr").c_str());
        const bool bothFull = plain == QXCOMPRESS_COMPACT_VOLUME_FULL && packed == QXCOMPRESS_COMPACT_VOLUME_FULL;
        return bothFull ? 0 : 10 * plain + packed;
    });
    if (!result) GTEST_SKIP() << "no private mount allowed here";
    EXPECT_EQ(*result, 0);
}

TEST_F(Compact, MissingMemoryGives5)
{
    const std::string source = Put("s.txt", test::ReportLikeText(50000, 8));
    int requests = 0;
    {
        test::RefusingMemory counting(1000);
        ScopedMemorySource use(counting);
        ASSERT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITTEN);
        requests = counting.Requests();
    }
    for (int grant = 0; grant < requests; ++grant) {
        std::filesystem::remove(Path("a.qxr"));
        test::RefusingMemory memory(grant);
        ScopedMemorySource use(memory);
        EXPECT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_NO_MEMORY) << grant;
    }
    // Without a job nothing is created at all.
    std::filesystem::remove(Path("a.qxr"));
    test::RefusingMemory none(0);
    ScopedMemorySource use(none);
    EXPECT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_NO_MEMORY);
    EXPECT_FALSE(Exists(Path("a.qxr")));
}

TEST_F(Compact, AReadErrorInTheSourceEndsTheDataThere)
{
    const Bytes text = test::ReportLikeText(100000, 9);
    const std::string source = Put("s.txt", text);
    test::FaultyFileOps ops;
    ops.FailReadsOf(source, 30000, EIO);
    {
        ScopedFileOps use(ops);
        ASSERT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITTEN);
    }
    ASSERT_EQ(nfDecompacte(0, 0, Path("a.qxr").c_str(), Path("out").c_str()), QXCOMPRESS_EXTRACT_DONE);
    const Bytes out = ReadBytes(Path("out"));
    ASSERT_EQ(out.size(), 30000u);
    EXPECT_TRUE(out == Bytes(text.begin(), text.begin() + 30000));
}

TEST_F(Compact, AnOlderLargerArchiveIsReplaced)
{
    const Bytes text = test::ReportLikeText(40000, 10);
    const Bytes noise = test::RandomBytes(40000, 10);
    const std::string archive = Path("a.qxr");

    WriteBytes(archive, Bytes(300000, 'o'));
    ASSERT_EQ(nfCompacte(0, Put("text", text).c_str(), archive.c_str()), QXCOMPRESS_COMPACT_WRITTEN);
    EXPECT_LT(std::filesystem::file_size(archive), text.size());
    ASSERT_EQ(nfDecompacte(0, 0, archive.c_str(), Path("out").c_str()), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_EQ(ReadBytes(Path("out")), text);

    WriteBytes(archive, Bytes(300000, 'o'));
    ASSERT_EQ(nfCompacte(0, Put("noise", noise).c_str(), archive.c_str()), QXCOMPRESS_COMPACT_WRITTEN);
    EXPECT_EQ(ReadBytes(archive), noise) << "a plain copy, cut to its length";
}

// Round trips over sizes around every buffer boundary and kinds of data.
struct RoundTripCase {
    const char* name;
    Bytes data;
};

std::vector<RoundTripCase> RoundTripCases()
{
    std::vector<RoundTripCase> cases;
    for (std::size_t size : {284, 285, 1000, 8191, 8192, 8193, 8448, 8449, 16383, 16384, 16385, 16640, 24577, 65536})
        cases.push_back({"text", test::ReportLikeText(size, static_cast<std::uint32_t>(size))});
    cases.push_back({"100000 equal bytes", Bytes(100000, 0x5A)});
    cases.push_back({"random (does not pack)", test::RandomBytes(70000, 11)});
    Bytes mixed = test::ReportLikeText(40000, 12);
    const Bytes noise = test::RandomBytes(30000, 12);
    mixed.insert(mixed.begin() + 20000, noise.begin(), noise.end());
    cases.push_back({"text with noise inside", mixed});
    Bytes pattern(300000);
    for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>((i % 251) ^ (i / 8192));
    cases.push_back({"long repeats at every distance", pattern});
    cases.push_back({"screenshot bitmap 1920x1080x24", test::ScreenshotBmp(1920, 1080, 13)});
    return cases;
}

TEST_F(Compact, RoundTripsGiveTheSourceBack)
{
    for (const RoundTripCase& c : RoundTripCases()) {
        const std::string source = Put("source", c.data);
        ASSERT_EQ(nfCompacte(0, source.c_str(), Path("a.qxr").c_str()), QXCOMPRESS_COMPACT_WRITTEN)
            << c.name << " " << c.data.size();
        const Bytes archive = ReadBytes(Path("a.qxr"));
        std::filesystem::remove(Path("out"));
        const bool plain = lfTailleCompacte(0, Path("a.qxr").c_str()) == QXCOMPRESS_SIZE_NOT_AN_ARCHIVE;
        if (plain) {
            EXPECT_EQ(archive, c.data) << c.name;
            continue;
        }
        EXPECT_LE(archive.size(), c.data.size() + 3) << c.name;
        ASSERT_EQ(nfDecompacte(0, 0, Path("a.qxr").c_str(), Path("out").c_str()), QXCOMPRESS_EXTRACT_DONE) << c.name;
        EXPECT_TRUE(ReadBytes(Path("out")) == c.data) << c.name << " " << c.data.size();
    }
}

} // namespace
} // namespace qx::compress
