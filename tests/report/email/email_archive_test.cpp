// The E-mail command over real files, the real profile and the real
// archive library: the archive holds the bitmap file and the report text,
// numbers advance only for a written archive, and every failure (no
// temporary file, a failing bitmap, a failed open, short or failed text
// writes, a non-zero nfCompacte, full and read-only volumes) cleans up.
#include "bitmap/write_screen_bitmap.h"
#include "config/keys.h"
#include "config/notices.h"
#include "support/fake_email_ui.h"
#include "platform/posix/posix_file_store.h"
#include "report/email/report_archive.h"
#include "report/email/report_text.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "support/bitmap_fixtures.h"
#include "support/faulty_file_store.h"
#include "support/memory_file_store.h"
#include "support/report_record_builder.h"
#include "support/scratch_dir.h"
#include "support/small_volume.h"

#include <qxcompress.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace qx::report {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Events = std::vector<std::string>;

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The archive's member, extracted through the library to a file of our choice.
Bytes Member(const fs::path& archive, const fs::path& scratch)
{
    const fs::path out = scratch / "member.out";
    std::ofstream(out).close();
    if (nfDecompacte(0, 0, archive.c_str(), out.c_str()) != QXCOMPRESS_EXTRACT_DONE) return {};
    Bytes bytes = ReadFile(out);
    fs::remove(out);
    return bytes;
}

Bytes ExpectedReportFile(const Bitmap& screen, const CReportRecord& record)
{
    test::MemoryFileStore memory;
    EXPECT_TRUE(bitmap::WriteScreenBitmap(screen, memory, "bmp"));
    Bytes bytes = memory.files["bmp"];
    const std::string text = BuildReportText(record);
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

std::vector<fs::path> TempFilesIn(const fs::path& dir)
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("QX") && name.ends_with(".TMP")) found.push_back(entry.path());
    }
    return found;
}

CReportRecord Record()
{
    return test::ReportRecordBuilder()
        .Name("Jean Dupont")
        .Serial("QX 12 34")
        .Description("Plantage")
        .Answers(0, 1)
        .DllOnDisk("QXBASE.DLL 5.50J\r\n")
        .Build();
}

class EmailArchive : public ::testing::Test {
protected:
    test::ScratchDir scratch;
    fs::path folder = scratch.Path() / "reports";
    config::Profile profile{scratch.Path() / "config"};
    platform::PosixFileStore posix;
    test::FakeEmailUi ui;
    Bitmap screen = test::ScreenshotLike(64, 48, 32, 5);
    CReportRecord record = Record();

    void SetUp() override
    {
        fs::create_directories(folder);
        ui.choosePath = [this](const std::string& name) { return (folder / name).string(); };
    }

    EmailServices Services(platform::FileStore& files) { return EmailServices{ui, files, profile, screen, folder.string()}; }

    ArchiveOutcome Run(platform::FileStore& files)
    {
        EmailServices s = Services(files);
        return WriteReportArchive(record, s);
    }

    std::string Number() const { return config::ReadReportNumber(profile); }

    void ExpectCleanFailure(ArchiveOutcome outcome, ArchiveOutcome expected, int textId, const std::string& number)
    {
        EXPECT_EQ(outcome, expected);
        EXPECT_TRUE(TempFilesIn(folder).empty());
        EXPECT_FALSE(fs::exists(folder / "QX123401.QXR"));
        EXPECT_EQ(Number(), number);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], LoadResString(textId));
        EXPECT_FALSE(ui.messages[0].empty());
        EXPECT_EQ(ui.events, (Events{"save dialog", "pick", "busy", "wait cursor", "normal cursor", "busy closed", "message"}));
    }
};

TEST_F(EmailArchive, ArchiveHoldsTheBitmapFileFollowedByTheText)
{
    ASSERT_EQ(Run(posix), ArchiveOutcome::Written);
    EXPECT_EQ(ui.offeredNames, (std::vector<std::string>{"QX123401.QXR"}));
    EXPECT_EQ(ui.events, (Events{"save dialog", "pick", "busy", "wait cursor", "busy closed", "normal cursor"}));
    EXPECT_TRUE(ui.messages.empty());
    const fs::path archive = folder / "QX123401.QXR";
    ASSERT_TRUE(fs::exists(archive));
    EXPECT_EQ(Member(archive, scratch.Path()), ExpectedReportFile(screen, record));
    EXPECT_TRUE(TempFilesIn(folder).empty());
    EXPECT_EQ(Number(), "2");

    // A packed archive names its member by the temporary file's path as made.
    const Bytes bytes = ReadFile(archive);
    ASSERT_GT(bytes.size(), 284u);
    ASSERT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 6), "-lh5-");
    const std::string member(reinterpret_cast<const char*>(bytes.data() + 15));
    EXPECT_TRUE(member.starts_with(folder.string() + "/QX")) << member;
    EXPECT_TRUE(member.ends_with(".TMP")) << member;
    EXPECT_EQ(member.size(), folder.string().size() + 1 + 2 + 4 + 4);
}

TEST_F(EmailArchive, TwoInARowAreNumberedNAndNPlusOne)
{
    profile.Write(config::kSectionQxBeta, config::kKeyReportNumber, "7");
    ASSERT_EQ(Run(posix), ArchiveOutcome::Written);
    ASSERT_EQ(Run(posix), ArchiveOutcome::Written);
    EXPECT_EQ(ui.offeredNames, (std::vector<std::string>{"QX123407.QXR", "QX123408.QXR"}));
    EXPECT_EQ(Member(folder / "QX123407.QXR", scratch.Path()), Member(folder / "QX123408.QXR", scratch.Path()));
    EXPECT_EQ(Number(), "9");
}

struct NumberCase {
    const char* stored; // nullptr: no key
    const char* offered;
    const char* after;
};

TEST_F(EmailArchive, StoredNumbersGiveTheseNamesAndAdvanceSo)
{
    const NumberCase cases[] = {
        {nullptr, "QX123401.QXR", "2"}, {"7", "QX123407.QXR", "8"},   {"10", "QX123410.QXR", "11"},
        {"123", "QX123412.QXR", "124"}, {"ab", "QX1234ab.QXR", "1"},  {"", "QX123400.QXR", "1"},
        {"2147483647", "QX123421.QXR", "-2147483648"},
    };
    for (const NumberCase& c : cases) {
        test::ScratchDir dir;
        config::Profile fresh(dir.Path());
        if (c.stored) fresh.Write(config::kSectionQxBeta, config::kKeyReportNumber, c.stored);
        ui.offeredNames.clear();
        EmailServices s{ui, posix, fresh, screen, folder.string()};
        ASSERT_EQ(WriteReportArchive(record, s), ArchiveOutcome::Written) << (c.stored ? c.stored : "(none)");
        EXPECT_EQ(ui.offeredNames.at(0), c.offered);
        EXPECT_EQ(config::ReadReportNumber(fresh), c.after);
    }
}

TEST_F(EmailArchive, CancelledSaveDialogConsumesNoNumber)
{
    ui.choosePath = [](const std::string&) { return std::nullopt; };
    EXPECT_EQ(Run(posix), ArchiveOutcome::Cancelled);
    EXPECT_EQ(ui.events, (Events{"save dialog"}));
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(Number(), "1");
}

TEST_F(EmailArchive, NoticeUnlessSwitchedOffThenIdentityThenArchive)
{
    struct Case {
        const char* value; // nullptr: no key
        bool shown;
    };
    for (const Case c : {Case{nullptr, true}, Case{"1", true}, Case{"", true}, Case{"0", false}, Case{"0x", false}}) {
        if (c.value) profile.Write(config::kSectionQxBeta, config::kKeyMailNotice, c.value);
        ui.events.clear();
        ui.choosePath = [](const std::string&) { return std::nullopt; };
        EmailServices s = Services(posix);
        RunEmailCommand(record, s);
        const Events expected = c.shown ? Events{"notice", "identity", "save dialog"} : Events{"identity", "save dialog"};
        EXPECT_EQ(ui.events, expected) << (c.value ? c.value : "(none)");
    }
}

TEST_F(EmailArchive, NoTemporaryFileShowsText138)
{
    EmailServices s{ui, posix, profile, screen, (folder / "missing").string()};
    EXPECT_EQ(WriteReportArchive(record, s), ArchiveOutcome::TempFileFailed);
    EXPECT_EQ(ui.events, (Events{"save dialog", "message"}));
    EXPECT_EQ(ui.messages.at(0), LoadResString(res::kMsgTempFileError));
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(Number(), "1");
}

TEST_F(EmailArchive, BitmapWithoutAFileFormatFailsCleanly)
{
    screen = MakeBitmap(64, 48, 1);
    ExpectCleanFailure(Run(posix), ArchiveOutcome::BitmapFailed, res::kMsgArchiveFailed, "1");
}

TEST_F(EmailArchive, ReportFileThatCannotBeOpenedIsDeleted)
{
    test::FaultyFileStore faulty(posix);
    faulty.failAppendOpen = true;
    ExpectCleanFailure(Run(faulty), ArchiveOutcome::OpenFailed, res::kMsgCannotOpenFile, "1");
}

TEST_F(EmailArchive, ShortTextWritesFailCleanly)
{
    const std::size_t length = BuildReportText(record).size();
    for (const std::size_t left : {std::size_t{0}, std::size_t{1}, std::size_t{40}, length - 1}) {
        ui.events.clear();
        ui.messages.clear();
        test::FaultyFileStore faulty(posix);
        faulty.appendBytesLeft = left;
        ExpectCleanFailure(Run(faulty), ArchiveOutcome::TextFailed, res::kMsgArchiveFailed, "1");
    }
}

TEST_F(EmailArchive, FailedCloseOfTheReportFileFailsCleanly)
{
    test::FaultyFileStore faulty(posix);
    faulty.failAppendClose = true;
    ExpectCleanFailure(Run(faulty), ArchiveOutcome::TextFailed, res::kMsgArchiveFailed, "1");
}

TEST_F(EmailArchive, ArchiveThatCannotBeCreatedFailsCleanly)
{
    fs::create_directory(folder / "QX123401.QXR");
    EXPECT_EQ(Run(posix), ArchiveOutcome::PackFailed);
    EXPECT_TRUE(TempFilesIn(folder).empty());
    EXPECT_TRUE(fs::is_directory(folder / "QX123401.QXR"));
    EXPECT_EQ(Number(), "1");
    EXPECT_EQ(ui.messages, (std::vector<std::string>{LoadResString(res::kMsgArchiveFailed)}));
}

// Outcomes on a real volume, reported by the child process as exit codes.
enum VolumeResult : int {
    kAsExpected = 0,
    kWrongOutcome = 1,
    kLeftovers = 2,
    kNumberAdvanced = 3,
    kNoMessage = 4,
};

int RunOnVolume(const std::string& volume, const Bitmap& screen, const config::Profile& profile, ArchiveOutcome expected)
{
    platform::PosixFileStore posix;
    test::FakeEmailUi ui;
    ui.choosePath = [&](const std::string& name) { return volume + "/" + name; };
    EmailServices s{ui, posix, profile, screen, volume};
    CReportRecord record = Record();
    if (WriteReportArchive(record, s) != expected) return kWrongOutcome;
    if (!fs::is_empty(volume)) return kLeftovers;
    if (config::ReadReportNumber(profile) != "1") return kNumberAdvanced;
    if (ui.messages.size() != 1) return kNoMessage;
    return kAsExpected;
}

TEST_F(EmailArchive, FullVolumeWhileWritingTheBitmap)
{
    screen = test::Noise(300, 300, 24, 6);
    const auto code = test::RunOnSmallVolume(128 * 1024, test::VolumeMode::Writable, [&](const std::string& volume) {
        return RunOnVolume(volume, screen, profile, ArchiveOutcome::BitmapFailed);
    });
    if (!code) GTEST_SKIP() << "no private mount on this system";
    EXPECT_EQ(*code, kAsExpected);
}

TEST_F(EmailArchive, FullVolumeWhilePacking)
{
    // The report file fits; the archive of it, next to it, does not.
    screen = test::Noise(250, 200, 24, 7);
    const auto code = test::RunOnSmallVolume(256 * 1024, test::VolumeMode::Writable, [&](const std::string& volume) {
        return RunOnVolume(volume, screen, profile, ArchiveOutcome::PackFailed);
    });
    if (!code) GTEST_SKIP() << "no private mount on this system";
    EXPECT_EQ(*code, kAsExpected);
}

TEST_F(EmailArchive, ReadOnlyVolume)
{
    const auto code = test::RunOnSmallVolume(64 * 1024, test::VolumeMode::ReadOnly, [&](const std::string& volume) {
        return RunOnVolume(volume, screen, profile, ArchiveOutcome::TempFileFailed);
    });
    if (!code) GTEST_SKIP() << "no private mount on this system";
    EXPECT_EQ(*code, kAsExpected);
}

} // namespace
} // namespace qx::report
