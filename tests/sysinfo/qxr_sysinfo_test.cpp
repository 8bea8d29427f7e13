// `qxr sysinfo` on a fixture installation with a stand-in "lstdll16.exe".
#include "platform/posix/linux_version_source.h"
#include "support/pe_writer.h"
#include "support/scratch_dir.h"
#include "sysinfo/windows_version.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

struct Output {
    std::string text;
    int status = -1;
};

Output RunQxr(const std::string& arguments)
{
    const std::string command = std::string(std::getenv("QX_BIN_DIR")) + "/qxr sysinfo " + arguments + " 2>/dev/null";
    Output out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return out;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) out.text.append(chunk, got);
    const int status = ::pclose(pipe);
    out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

class QxrSysinfo : public testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(dir.File("qxedit.exe"), qx::test::PeWithVersion("5.50.1"));
        WriteFile(dir.File("QXRT32.dll"), qx::test::PeWithVersion("5.50", qx::test::PeKind::Pe32Plus));
        WriteFile(dir.File("readme.exe"), {'M', 'Z'});
        WriteFile(dir.File("notes.txt"), qx::test::PeWithVersion("1.0"));
    }

    void Helper(const std::string& body)
    {
        const std::string path = dir.File("lstdll16.exe");
        std::ofstream(path) << "#!/bin/sh\n" << body;
        ::chmod(path.c_str(), 0755);
    }

    std::string VersionLine() const
    {
        return qx::text::Cp1252ToUtf8(qx::sysinfo::FormatVersionLine(*qx::platform::LinuxVersionSource().Query()));
    }

    std::string Expected(const std::string& dll16, const std::string& exe, const std::string& dll) const
    {
        return "Version du syst\xC3\xA8me : " + VersionLine() + "\r\n\r\n" + "DLL 16 bits charg\xC3\xA9" "es :\r\n" + dll16 +
               "\r\nModules 32 bits charg\xC3\xA9s :\r\n" + "\r\nEXE Orvane sur disque :\r\n" + exe +
               "\r\nDLL Orvane sur disque :\r\n" + dll;
    }

    qx::test::ScratchDir dir;
};

TEST_F(QxrSysinfo, PrintsTheSectionsAsTheReportTextHoldsThem)
{
    Helper("printf 'QXRT16.DLL\\r\\n5.50           x1\\r\\nA\\r\\n' > \"$1\"\n");

    const Output out = RunQxr(dir.Path().string());

    EXPECT_EQ(out.status, 0);
    const std::string dll16 = "QXRT16.DLL" + std::string(46, ' ') + "5.50           x1\r\n" + "A\r" + std::string(54, ' ');
    const std::string expected = Expected(dll16, "QXEDIT.EXE 5.50.\r\n", "QXRT32.DLL 5.50\r\n");
    // The module section depends on what runs on this machine: compare around it.
    const auto modules = out.text.find("Modules 32 bits");
    const auto exe = out.text.find("\r\nEXE Orvane sur disque :");
    ASSERT_NE(modules, std::string::npos) << out.text;
    ASSERT_NE(exe, std::string::npos) << out.text;
    EXPECT_EQ(out.text.substr(0, modules), expected.substr(0, expected.find("Modules 32 bits")));
    EXPECT_EQ(out.text.substr(exe), expected.substr(expected.find("\r\nEXE Orvane sur disque :")));
}

TEST_F(QxrSysinfo, AFailingHelperGivesTheStartFailureText)
{
    Helper("exit 2\n");
    const std::string installDir = dir.Path().string() + "/";
    const Output out = RunQxr(installDir + "/");
    EXPECT_EQ(out.status, 0);
    EXPECT_NE(out.text.find("DLL 16 bits charg\xC3\xA9" "es :\r\nImpossible d'ex\xC3\xA9" "cuter " + installDir +
                            "lstdll16.exe\r\n"),
              std::string::npos)
        << out.text;
}

TEST_F(QxrSysinfo, AMissingDirectoryPrintsAucuneAndEmptyListsAndFails)
{
    const Output out = RunQxr(dir.File("missing"));
    EXPECT_EQ(out.status, 66);
    const std::string tail = "\r\nEXE Orvane sur disque :\r\n\r\nDLL Orvane sur disque :\r\n";
    EXPECT_NE(out.text.find("DLL 16 bits charg\xC3\xA9" "es :\r\nAucune\r\n"), std::string::npos) << out.text;
    EXPECT_TRUE(out.text.ends_with(tail)) << out.text;
}

TEST_F(QxrSysinfo, WrongArgumentsGiveTheUsageStatus)
{
    EXPECT_EQ(RunQxr("").status, 64);
    EXPECT_EQ(RunQxr("a b").status, 64);
}

} // namespace
