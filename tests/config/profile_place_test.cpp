// Which folder holds Orvane.ini, and the drive letters of a stored path.
#include "config/profile_place.h"

#include "config/profile.h"
#include "config/profile_fixture.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx::config {
namespace {

namespace fs = std::filesystem;

// A home with a default Wine prefix (~/.wine) and a second prefix elsewhere;
// each case says which of them holds an Orvane.ini, and how it is spelt.
class ProfilePlaceTest : public testing::Test {
protected:
    ProfilePlaceTest()
    {
        fs::create_directories(home / ".wine/drive_c/windows");
        fs::create_directories(otherPrefix / "drive_c/windows");
    }

    void PutProfile(const fs::path& directory, const char* name) { test::WriteBytes(directory / name, "[Orvane55]\r\n"); }

    test::ScratchDir scratch;
    fs::path home = scratch.Path() / "home";
    fs::path otherPrefix = scratch.Path() / "prefix";
};

TEST_F(ProfilePlaceTest, TheNamedFolderThenTheWinePrefixWhenItHoldsTheFileThenTheConfigHome)
{
    struct Case {
        const char* what;
        std::string windowsDirectory, winePrefix, configHome;
        // Where an Orvane.ini is put first (empty: nowhere), under which name.
        fs::path profileIn;
        const char* fileName;
        ProfileOrigin origin;
        fs::path directory, prefix;
    };
    const fs::path defaultPrefix = home / ".wine";
    const fs::path named = scratch.Path() / "named";
    const Case cases[] = {
        {"nothing set, no file anywhere", "", "", "", {}, "", ProfileOrigin::ConfigHome, home / ".config/Orvane",
         defaultPrefix},
        {"XDG_CONFIG_HOME absolute", "", "", "/xdg", {}, "", ProfileOrigin::ConfigHome, "/xdg/Orvane", defaultPrefix},
        {"XDG_CONFIG_HOME relative does not count", "", "", "xdg", {}, "", ProfileOrigin::ConfigHome,
         home / ".config/Orvane", defaultPrefix},
        {"default prefix holds orvane.ini", "", "", "/xdg", defaultPrefix / "drive_c/windows", "orvane.ini",
         ProfileOrigin::WinePrefix, defaultPrefix / "drive_c/windows", defaultPrefix},
        {"default prefix holds ORVANE.INI", "", "", "", defaultPrefix / "drive_c/windows", "ORVANE.INI",
         ProfileOrigin::WinePrefix, defaultPrefix / "drive_c/windows", defaultPrefix},
        {"WINEPREFIX holds Orvane.ini", "", otherPrefix.string(), "", otherPrefix / "drive_c/windows", "Orvane.ini",
         ProfileOrigin::WinePrefix, otherPrefix / "drive_c/windows", otherPrefix},
        {"WINEPREFIX without the file: the config home, WINEPREFIX's drives", "", otherPrefix.string(), "",
         defaultPrefix / "drive_c/windows", "Orvane.ini", ProfileOrigin::ConfigHome, home / ".config/Orvane",
         otherPrefix},
        {"relative WINEPREFIX is ignored, as Wine refuses it", "", "prefix", "", defaultPrefix / "drive_c/windows",
         "orvane.ini", ProfileOrigin::WinePrefix, defaultPrefix / "drive_c/windows", defaultPrefix},
        {"a folder named orvane.ini is no file", "", "", "", defaultPrefix / "drive_c/windows/orvane.ini",
         "placeholder", ProfileOrigin::ConfigHome, home / ".config/Orvane", defaultPrefix},
        {"QXBETA_WINDOWS_DIR wins over a prefix that holds the file", named.string(), "", "",
         defaultPrefix / "drive_c/windows", "Orvane.ini", ProfileOrigin::Named, named, defaultPrefix},
        {"QXBETA_WINDOWS_DIR naming a prefix's Windows folder takes its drives",
         (otherPrefix / "drive_c/Windows/").string(), "", "", {}, "", ProfileOrigin::Named,
         otherPrefix / "drive_c/Windows/", otherPrefix},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(defaultPrefix / "drive_c/windows");
        fs::remove_all(otherPrefix / "drive_c/windows");
        fs::create_directories(defaultPrefix / "drive_c/windows");
        fs::create_directories(otherPrefix / "drive_c/windows");
        if (!c.profileIn.empty()) {
            fs::create_directories(c.profileIn);
            PutProfile(c.profileIn, c.fileName);
        }
        const ProfilePlace place =
            LocateProfile({c.windowsDirectory, c.winePrefix, c.configHome, home.string()});
        EXPECT_EQ(place.origin, c.origin);
        EXPECT_EQ(place.directory, c.directory);
        EXPECT_EQ(place.winePrefix, c.prefix);
    }
}

TEST_F(ProfilePlaceTest, ADriveLetterInAStoredPathIsResolvedInTheProfilesPrefix)
{
    fs::create_directories(otherPrefix / "dosdevices");
    fs::create_directories(otherPrefix / "drive_c/Orvane55");
    fs::create_symlink("../drive_c", otherPrefix / "dosdevices/c:");
    const Profile profile(otherPrefix / "drive_c/windows", otherPrefix);
    const std::string drive = fs::canonical(otherPrefix / "drive_c").string();

    EXPECT_EQ(profile.UnixPath("C:\\ORVANE55"), drive + "/Orvane55");
    EXPECT_EQ(profile.UnixPath("/opt/orvane55"), "/opt/orvane55") << "a Unix path stays as it is";
    EXPECT_EQ(profile.UnixPath("D:\\ORVANE55"), "D:\\ORVANE55") << "a drive the prefix lacks stays as stored";
    EXPECT_EQ(Profile(scratch.Path()).UnixPath("C:\\ORVANE55"), "C:\\ORVANE55") << "no prefix, no drives";
}

} // namespace
} // namespace qx::config
