// nfDecompacte: every status code from a real situation, the output path
// rules, and the mends (bad names, the archive itself, damaged and cut data,
// failed and short writes and reads: the output never stays behind).
#include "qxcompress.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "archive_files.h"
#include "compress/output_path.h"
#include "compress/platform/file_ops.h"
#include "compress/platform/memory_block.h"
#include "compress/platform/window_notifier.h"
#include "support/faulty_file_ops.h"
#include "support/lh5_stream_builder.h"
#include "support/refusing_memory.h"
#include "support/scratch_dir.h"
#include "support/small_volume.h"

namespace qx::compress {
namespace {

using test::Bytes;
using test::Exists;
using test::ReadBytes;
using test::WriteBytes;

// Bytes 0, 1, ..., 255, 0, 1, ... : shows any byte out of place.
Bytes Counting(std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return bytes;
}

Bytes StoredArchive(const Bytes& data, const std::string& name)
{
    return test::PackedArchive("-lh0-", static_cast<std::uint32_t>(data.size()), name, data);
}

// An lh5 member of `count` times the byte `c`: one block, one symbol.
Bytes RepeatedByteArchive(std::uint8_t c, std::uint16_t count, const std::string& name, const char* method = "-lh5-")
{
    test::BitWriter w;
    test::PutBlockHeader(w, test::BlockHeader{.items = count, .symbolOnly = c});
    return test::PackedArchive(method, count, name, w.Finish());
}

class RecordingNotifier : public WindowNotifier {
public:
    WindowId ActiveWindow() override { return 77; }
    void Send(WindowId window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        sent.push_back({window, message, wParam, lParam});
    }
    struct Message {
        WindowId window;
        unsigned message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Message> sent;
};

class Extract : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetWindowNotifier(&notifier_); }
    void TearDown() override { SetWindowNotifier(previous_); }

    std::string Path(const std::string& name) const { return dir_.File(name); }
    std::string Put(const std::string& name, const Bytes& bytes) const
    {
        WriteBytes(Path(name), bytes);
        return Path(name);
    }
    static std::int16_t Unpack(const std::string& archive, const char* destination)
    {
        return nfDecompacte(0, 0, archive.c_str(), destination);
    }
    static std::int16_t Unpack(const std::string& archive, const std::string& destination)
    {
        return Unpack(archive, destination.c_str());
    }

    test::ScratchDir dir_;
    RecordingNotifier notifier_;
    WindowNotifier* previous_ = nullptr;
};

TEST_F(Extract, MissingArchiveGives1)
{
    EXPECT_EQ(Unpack(Path("missing.qxr"), Path("out")), QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN);
    EXPECT_FALSE(Exists(Path("out")));
    EXPECT_TRUE(notifier_.sent.empty());
}

TEST_F(Extract, UnreadableFirstByteGives4)
{
    const std::string archive = Put("refused.qxr", StoredArchive(Counting(100), Path("x")));
    test::FaultyFileOps ops;
    ops.FailReadsOf(archive, 0, EIO);
    ScopedFileOps use(ops);
    EXPECT_EQ(Unpack(archive, nullptr), QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE);
    EXPECT_FALSE(Exists(Path("x")));
}

TEST_F(Extract, PlainCopyWithoutDestinationWritesNothingAndStillNotifies)
{
    const std::string archive = Put("plain.qxr", test::BytesOf("just some text, not packed"));
    EXPECT_EQ(Unpack(archive, nullptr), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);
    ASSERT_EQ(notifier_.sent.size(), 1u);
    EXPECT_EQ(notifier_.sent[0].window, 77u);
    EXPECT_EQ(notifier_.sent[0].message, 1174u);
    EXPECT_EQ(notifier_.sent[0].wParam, 100u);
    EXPECT_EQ(notifier_.sent[0].lParam, 0);
}

TEST_F(Extract, PlainCopyOverALargerFileIsCutToItsLength)
{
    const Bytes text = test::BytesOf("short plain archive");
    const std::string archive = Put("plain.qxr", text);
    const std::string destination = Put("existing.txt", Bytes(50000, 'z'));
    EXPECT_EQ(Unpack(archive, destination), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_EQ(ReadBytes(destination), text);
}

TEST_F(Extract, PlainCopyCases)
{
    const Bytes text = test::BytesOf("a plain archive");
    const std::string archive = Put("plain.qxr", text);
    // The archive's own path in another case: nothing to copy.
    EXPECT_EQ(Unpack(archive, Path("PLAIN.QXR")), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_FALSE(Exists(Path("PLAIN.QXR")));
    // The destination must exist.
    EXPECT_EQ(Unpack(archive, Path("new.txt")), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_FALSE(Exists(Path("new.txt")));
    // An empty archive is a plain copy of nothing.
    const std::string empty = Put("empty.qxr", {});
    const std::string target = Put("target", Bytes(10, 'q'));
    EXPECT_EQ(Unpack(empty, target), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_EQ(ReadBytes(target), Bytes{});
    // A tagged file has no method: a plain copy too.
    Bytes tagged = test::BytesOf("MKALMORELZCS@");
    tagged.resize(40, 1);
    const std::string taggedArchive = Put("tagged.qxr", tagged);
    EXPECT_EQ(Unpack(taggedArchive, target), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_EQ(ReadBytes(target), tagged);
}

TEST_F(Extract, PlainCopyThatCannotBeCutGives2)
{
    const std::string archive = Put("plain.qxr", test::BytesOf("plain"));
    const std::string destination = Put("existing.txt", Bytes(100, 'z'));
    test::FaultyFileOps ops;
    ops.FailTruncate(EIO);
    ScopedFileOps use(ops);
    EXPECT_EQ(Unpack(archive, destination), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_TRUE(notifier_.sent.empty());
}

TEST_F(Extract, StoredMemberOf20000BytesIsCopiedByteForByte)
{
    const Bytes data = Counting(20000);
    const std::string archive = Put("stored.qxr", StoredArchive(data, "C:\\TEMP\\QXR0001.TMP"));
    EXPECT_EQ(Unpack(archive, dir_.Path().string() + "/"), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_EQ(ReadBytes(Path("QXR0001.TMP")), data);
    EXPECT_EQ(notifier_.sent.size(), 1u);
}

TEST_F(Extract, SizesThatForceAFlushBeforeTheLastPieceComeOutComplete)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{8191}, std::size_t{8192}, std::size_t{8192 + 7809},
                             std::size_t{8192 + 8191}, std::size_t{2 * 8192 + 8000}, std::size_t{5 * 8192}}) {
        const Bytes data = Counting(size);
        const std::string archive = Put("stored.qxr", StoredArchive(data, "x"));
        ASSERT_EQ(Unpack(archive, Path("out")), QXCOMPRESS_EXTRACT_DONE) << size;
        EXPECT_EQ(ReadBytes(Path("out")), data) << size;
    }
}

TEST_F(Extract, UpperCaseMethodIsAccepted)
{
    const std::string archive = Put("upper.qxr", RepeatedByteArchive('u', 3000, "name", "-LH5-"));
    EXPECT_EQ(Unpack(archive, Path("out")), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_EQ(ReadBytes(Path("out")), Bytes(3000, 'u'));
}

TEST_F(Extract, WithoutDestinationTheStoredNameIsTheOutput)
{
    const std::string stored = Path("as-stored.txt");
    const std::string archive = Put("a.qxr", RepeatedByteArchive('s', 10, stored));
    EXPECT_EQ(Unpack(archive, nullptr), QXCOMPRESS_EXTRACT_DONE);
    EXPECT_EQ(ReadBytes(stored), Bytes(10, 's'));
}

TEST(OutputPath, DirectoriesGetTheLastComponentOfTheStoredName)
{
    struct Case {
        const char* destination;
        const char* stored;
        const char* output;
    };
    const Case cases[] = {
        {"/out/", ".\\REPORT.TMP", "/out/REPORT.TMP"},
        {"C:\\OUT\\", ".\\REPORT.TMP", "C:\\OUT\\REPORT.TMP"},
        {"C:", ".\\REPORT.TMP", "C:REPORT.TMP"},
        {"OUT.TXT", ".\\REPORT.TMP", "OUT.TXT"},
        {"/out/   ", ".\\REPORT.TMP", "/out/REPORT.TMP"},
        {"out/", "../../etc/passwd", "out/passwd"},
        {"out/", "D:rapport", "out/rapport"},
        {"out/", "plain", "out/plain"},
        {"out/", "dir/", "out/"},
        {"file   ", "x", "file"},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildOutputPath(c.destination, c.stored), c.output) << c.destination;
}

TEST(OutputPath, OnlyAFileNameThatFitsIsSafe)
{
    EXPECT_TRUE(IsSafeOutputPath("out/x"));
    EXPECT_TRUE(IsSafeOutputPath(std::string(QXCOMPRESS_MAX_PATH_LENGTH, 'a')));
    EXPECT_FALSE(IsSafeOutputPath(std::string(QXCOMPRESS_MAX_PATH_LENGTH + 1, 'a')));
    for (const char* bad : {"", "out/", "out/.", "out/..", ".", "..", "C:", "x\\..", "a:.."})
        EXPECT_FALSE(IsSafeOutputPath(bad)) << bad;
}

TEST_F(Extract, StoredNamesThatNameNoFileGive2AndCreateNothing)
{
    std::filesystem::create_directory(Path("out"));
    for (const char* stored : {"..", ".", "dir/", "C:\\TEMP\\", "a\\..", "x:"}) {
        const std::string archive = Put("bad.qxr", RepeatedByteArchive('b', 10, stored));
        EXPECT_EQ(Unpack(archive, Path("out") + "/"), QXCOMPRESS_EXTRACT_FAILED) << stored;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("out")), {}), 0) << stored;
    }
    const std::string archive = Put("bad.qxr", RepeatedByteArchive('b', 10, Path("out") + "/.."));
    EXPECT_EQ(Unpack(archive, nullptr), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_TRUE(notifier_.sent.empty());
}

TEST_F(Extract, AnOutputPathLongerThan268Gives2)
{
    const std::string archive = Put("long.qxr", RepeatedByteArchive('l', 10, std::string(260, 'n')));
    const std::string destination =
        dir_.Path().string() + "/" + std::string(QXCOMPRESS_MAX_PATH_LENGTH - dir_.Path().string().size(), 'd');
    ASSERT_EQ(destination.size(), std::size_t{QXCOMPRESS_MAX_PATH_LENGTH + 1});
    EXPECT_EQ(Unpack(archive, destination), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_FALSE(Exists(destination));
    // Through a directory destination the joined path counts.
    std::filesystem::create_directory(Path("d"));
    EXPECT_EQ(Unpack(archive, Path("d") + "/"), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("d")), {}), 0);
}

TEST_F(Extract, TheArchiveItselfIsNeverTheOutput)
{
    const Bytes archiveBytes = RepeatedByteArchive('a', 1000, "self.qxr");
    const std::string archive = Put("self.qxr", archiveBytes);
    EXPECT_EQ(Unpack(archive, archive), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_EQ(Unpack(archive, dir_.Path().string() + "/"), QXCOMPRESS_EXTRACT_FAILED)
        << "the stored name names the archive";
    ASSERT_EQ(::link(archive.c_str(), Path("hard-link").c_str()), 0);
    EXPECT_EQ(Unpack(archive, Path("hard-link")), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_EQ(ReadBytes(archive), archiveBytes);
}

TEST_F(Extract, CorruptTablesGive2AndTheOutputIsDeleted)
{
    test::BitWriter w;
    test::PutBlockHeader(w, test::BlockHeader{.items = 100,
                                              .lengthLengths = {1, 0, 0, 1},
                                              .symbolLengths = test::LengthsFor(510, {{'a', 1}})});
    Bytes data = w.Finish();
    data.resize(data.size() + 100, 0xFF);
    const std::string archive = Put("corrupt.qxr", test::PackedArchive("-lh5-", 100000, "x", data));
    EXPECT_EQ(Unpack(archive, Path("out")), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_FALSE(Exists(Path("out")));
}

TEST_F(Extract, PackedDataShorterThanItsHeaderSaysGives2)
{
    Bytes archiveBytes = RepeatedByteArchive('t', 5000, "x");
    // The header claims 4 GiB of packed data and of output; the file ends.
    archiveBytes[7] = archiveBytes[8] = archiveBytes[9] = archiveBytes[10] = 0xFF;
    archiveBytes[11] = archiveBytes[12] = archiveBytes[13] = archiveBytes[14] = 0xFF;
    const std::string archive = Put("cut.qxr", archiveBytes);
    EXPECT_EQ(Unpack(archive, Path("out")), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_FALSE(Exists(Path("out")));

    Bytes stored = StoredArchive(Counting(30000), "x");
    stored.resize(284 + 20000);
    const std::string cutStored = Put("cut-stored.qxr", stored);
    EXPECT_EQ(Unpack(cutStored, Path("out")), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_FALSE(Exists(Path("out")));
}

TEST_F(Extract, AFailedReadOfTheDataGives2)
{
    const std::string archive = Put("stored.qxr", StoredArchive(Counting(50000), "x"));
    test::FaultyFileOps ops;
    ops.FailReadsOf(archive, 20000, EIO);
    ScopedFileOps use(ops);
    EXPECT_EQ(Unpack(archive, Path("out")), QXCOMPRESS_EXTRACT_FAILED);
    EXPECT_FALSE(Exists(Path("out")));
}

TEST_F(Extract, FailedAndShortWritesDeleteTheOutput)
{
    struct Case {
        test::WriteFault fault;
        std::int16_t code;
    };
    const std::string archive = Put("stored.qxr", StoredArchive(Counting(100000), "x"));
    for (const Case c : {Case{test::WriteFault::DiskFull, QXCOMPRESS_EXTRACT_VOLUME_FULL},
                         Case{test::WriteFault::QuotaFull, QXCOMPRESS_EXTRACT_VOLUME_FULL},
                         Case{test::WriteFault::IoError, QXCOMPRESS_EXTRACT_FAILED},
                         Case{test::WriteFault::NoProgress, QXCOMPRESS_EXTRACT_FAILED}}) {
        test::FaultyFileOps ops;
        ops.FailWritesAfter(40000, c.fault);
        ScopedFileOps use(ops);
        EXPECT_EQ(Unpack(archive, Path("out")), c.code) << static_cast<int>(c.fault);
        EXPECT_FALSE(Exists(Path("out")));
    }
    EXPECT_TRUE(notifier_.sent.empty());
}

TEST_F(Extract, ARealFullVolumeGives7)
{
    const std::string archive = Put("stored.qxr", StoredArchive(Counting(200000), "x"));
    const auto result = test::RunOnSmallVolume(64 * 1024, test::VolumeMode::Writable, [&](const std::string& volume) {
        const std::string output = volume + "/out";
        const int code = nfDecompacte(0, 0, archive.c_str(), output.c_str());
        return code == QXCOMPRESS_EXTRACT_VOLUME_FULL && !Exists(output) ? 0 : 10 + code;
    });
    if (!result) GTEST_SKIP() << "no private mount allowed here";
    EXPECT_EQ(*result, 0);
}

TEST_F(Extract, AnOutputThatCannotBeCreatedGives2)
{
    const std::string archive = Put("a.qxr", RepeatedByteArchive('c', 10, "x"));
    EXPECT_EQ(Unpack(archive, Path("no/such/dir/out")), QXCOMPRESS_EXTRACT_FAILED);
    const auto result = test::RunOnSmallVolume(64 * 1024, test::VolumeMode::ReadOnly, [&](const std::string& volume) {
        return nfDecompacte(0, 0, archive.c_str(), (volume + "/out").c_str());
    });
    if (result) {
        EXPECT_EQ(*result, QXCOMPRESS_EXTRACT_FAILED);
    }
}

TEST_F(Extract, MissingMemoryGives2AndCreatesNothing)
{
    const std::string archive = Put("a.qxr", RepeatedByteArchive('m', 100, "x"));
    for (int refuse = 0; refuse < 4; ++refuse) {
        test::RefusingMemory memory(refuse);
        ScopedMemorySource use(memory);
        EXPECT_EQ(Unpack(archive, Path("out")), QXCOMPRESS_EXTRACT_FAILED) << refuse;
        EXPECT_FALSE(Exists(Path("out"))) << refuse;
    }
    test::RefusingMemory enough(5);
    ScopedMemorySource use(enough);
    EXPECT_EQ(Unpack(archive, Path("out")), QXCOMPRESS_EXTRACT_DONE);
}

} // namespace
} // namespace qx::compress
