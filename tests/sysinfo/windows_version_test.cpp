// The Windows version line and the Linux version source.
#include "sysinfo/sysinfo.h"
#include "sysinfo/windows_version.h"
#include "sysinfo_fixture.h"

#include "platform/posix/linux_version_source.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using qx::platform::SystemVersion;

TEST(WindowsVersion, FormatsTheLineByTheNameTable)
{
    struct Case {
        SystemVersion version;
        std::string line;
    };
    const Case cases[] = {
        {{2, 4, 0, 1381, "Service Pack 3"}, "NT 4.0.1381 Service Pack 3"},
        {{1, 4, 10, 2222, ""}, "95 4.10.2222 "},
        {{0, 3, 95, 0, "Win32s"}, "3.1 3.95.0 Win32s"},
        {{7, 6, 1, 0, "Debian"}, " 6.1.0 Debian"},
        {{2, 4, 0, 0xC0000565, "B"}, "NT 4.0.-1073740443 B"},
        {{2, 0xFFFFFFFF, 0x80000000, 5, "x"}, "NT -1.-2147483648.5 x"},
    };
    for (const Case& c : cases) EXPECT_EQ(qx::sysinfo::FormatVersionLine(c.version), c.line);
}

TEST(WindowsVersion, AFailedQueryLeavesTheTextUnchanged)
{
    qx::test::FakeSystem system;
    std::string text = "unchanged";
    qx::sysinfo::FormatWindowsVersion(system.Services(), text);
    EXPECT_EQ(text, "unchanged");

    system.version.version = SystemVersion{2, 5, 0, 2195, ""};
    qx::sysinfo::FormatWindowsVersion(system.Services(), text);
    EXPECT_EQ(text, "NT 5.0.2195 ");
}

TEST(LinuxVersion, ParsesTheKernelRelease)
{
    struct Case {
        const char* release;
        std::uint32_t major, minor, build;
    };
    const Case cases[] = {{"6.1.0-18-amd64", 6, 1, 0},  {"5.15.153.1-microsoft-standard-WSL2", 5, 15, 153},
                          {"6.12", 6, 12, 0},          {"4", 4, 0, 0},
                          {"", 0, 0, 0},               {"99999999999.2.3", 0xFFFFFFFF, 2, 3},
                          {"6..1", 6, 0, 1}};
    for (const Case& c : cases) {
        SystemVersion version;
        qx::platform::ParseKernelRelease(c.release, version);
        EXPECT_EQ(version.major, c.major) << c.release;
        EXPECT_EQ(version.minor, c.minor) << c.release;
        EXPECT_EQ(version.build, c.build) << c.release;
    }
}

TEST(LinuxVersion, TakesPrettyNameWithoutQuotes)
{
    struct Case {
        const char* osRelease;
        const char* name;
    };
    const Case cases[] = {
        {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n",
         "Debian GNU/Linux 12 (bookworm)"},
        {"PRETTY_NAME='Fedora Linux 40'\r\n", "Fedora Linux 40"},
        {"PRETTY_NAME=Arch\n", "Arch"},
        {"PRETTY_NAME=\"say \\\"hi\\\" \\\\ ok\"", "say \"hi\" \\ ok"},
        {"NAME=x\n# PRETTY_NAME=\"commented\"\n", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(qx::platform::PrettyName(c.osRelease), c.name) << c.osRelease;
}

TEST(LinuxVersion, ServicePackIsWindows1252AndAtMost127Characters)
{
    EXPECT_EQ(qx::platform::ServicePackText("Debian \xC3\xA9t\xC3\xA9"), "Debian \xE9t\xE9");
    EXPECT_EQ(qx::platform::ServicePackText(std::string(200, 'x')), std::string(127, 'x'));
}

TEST(LinuxVersion, TheLineOfThisMachineNamesNoPlatform)
{
    qx::test::ScratchDir dir;
    std::ofstream(dir.File("os-release")) << "PRETTY_NAME=\"Test OS 1\"\n";
    const qx::platform::LinuxVersionSource source(dir.File("os-release"));
    const auto version = source.Query();
    ASSERT_TRUE(version);
    const std::string line = qx::sysinfo::FormatVersionLine(*version);
    EXPECT_EQ(line[0], ' ');
    EXPECT_TRUE(line.ends_with(" Test OS 1")) << line;

    const qx::platform::LinuxVersionSource missing(dir.File("none"));
    EXPECT_TRUE(qx::sysinfo::FormatVersionLine(*missing.Query()).ends_with(" "));
}

} // namespace
