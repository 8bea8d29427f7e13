// The drive letters of a Wine prefix, both ways.
#include "platform/posix/wine_drives.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qx::platform {
namespace {

namespace fs = std::filesystem;

// A prefix laid out as wineboot makes it, with an installation on C: and one
// under /opt-like folder reached through Z:.
class WineDrivesTest : public testing::Test {
protected:
    WineDrivesTest()
    {
        fs::create_directories(prefix / "dosdevices");
        fs::create_directories(prefix / "drive_c/Orvane55/Bin");
        fs::create_directories(scratch.Path() / "opt/orvane55");
        std::ofstream(prefix / "drive_c/Orvane55/QXRT32.DLL") << "x";
        fs::create_symlink("../drive_c", prefix / "dosdevices/c:");
        fs::create_symlink(scratch.Path() / "cdrom/", prefix / "dosdevices/d:");
        fs::create_symlink("/", prefix / "dosdevices/z:");
        fs::create_symlink("/dev/ttyS0", prefix / "dosdevices/com1");
        fs::create_symlink("/dev/sr0", prefix / "dosdevices/d::");
        drives = WineDrives::OfPrefix(prefix);
        driveC = fs::canonical(prefix / "drive_c").string();
    }

    test::ScratchDir scratch;
    fs::path prefix = scratch.Path() / "prefix";
    WineDrives drives;
    std::string driveC;
};

TEST_F(WineDrivesTest, OnlyTheLetterLinksAreDrives)
{
    const std::map<char, std::string> expected{
        {'c', driveC}, {'d', (scratch.Path() / "cdrom").string()}, {'z', "/"}};
    EXPECT_EQ(drives.Folders(), expected);
    EXPECT_TRUE(WineDrives::OfPrefix(scratch.Path() / "no-prefix").Folders().empty());
}

TEST_F(WineDrivesTest, WindowsPathsResolveWithoutRegardToCase)
{
    const std::string opt = scratch.Path().string() + "/opt/orvane55";
    struct Case {
        std::string windows;
        std::optional<std::string> unix;
    };
    const Case cases[] = {
        {"C:\\ORVANE55", driveC + "/Orvane55"},
        {"c:\\orvane55\\", driveC + "/Orvane55"},
        {"C:/Orvane55/bin/", driveC + "/Orvane55/Bin"},
        {"C:\\\\Orvane55\\.\\qxrt32.dll", driveC + "/Orvane55/QXRT32.DLL"},
        {"C:\\Orvane55\\Bin\\..\\..\\..\\Orvane55", driveC + "/Orvane55"},
        {"C:", driveC},
        {"C:\\", driveC},
        // A folder that does not exist keeps its spelling, and so does the rest.
        {"C:\\Nouveau\\Orvane55", driveC + "/Nouveau/Orvane55"},
        {"Z:" + opt, opt},
        {"z:\\" + opt.substr(1) + "\\", opt},
        {"E:\\ORVANE55", std::nullopt},
        {"\\\\server\\share", std::nullopt},
        {"/opt/orvane55", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(drives.UnixPath(c.windows), c.unix) << c.windows;
}

TEST_F(WineDrivesTest, UnixPathsInsideAFolderDriveAreWrittenAsWindowsSeesThem)
{
    struct Case {
        std::string unix;
        std::optional<std::string> windows;
    };
    const Case cases[] = {
        {driveC + "/Orvane55/QXRT32.DLL", "C:\\Orvane55\\QXRT32.DLL"},
        {driveC, "C:\\"},
        {driveC + "x/QXRT32.DLL", std::nullopt},
        {(scratch.Path() / "cdrom/SETUP.EXE").string(), "D:\\SETUP.EXE"},
        // Reached only through Z:, the whole file system: best read as it is.
        {"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/kernel32.dll", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(drives.WindowsPath(c.unix), c.windows) << c.unix;
}

TEST(WinePrefix, WinePrefixWhenAbsoluteElseTheHomesDotWine)
{
    EXPECT_EQ(WinePrefixFor("/srv/wine", "/home/u"), "/srv/wine");
    EXPECT_EQ(WinePrefixFor("", "/home/u"), "/home/u/.wine");
    EXPECT_EQ(WinePrefixFor("wine", "/home/u"), "/home/u/.wine");
}

TEST(WinePrefix, ADriveLetterIsALetterAndAColon)
{
    EXPECT_TRUE(HasDriveLetter("C:"));
    EXPECT_TRUE(HasDriveLetter("z:/"));
    EXPECT_FALSE(HasDriveLetter("1:\\"));
    EXPECT_FALSE(HasDriveLetter("C"));
    EXPECT_FALSE(HasDriveLetter("/C:"));
}

} // namespace
} // namespace qx::platform
