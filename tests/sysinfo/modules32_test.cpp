// The 32-bit module snapshot: both providers' rules and the two written forms.
#include "sysinfo/module_list.h"
#include "sysinfo/sysinfo.h"
#include "sysinfo_fixture.h"

#include "support/pe_writer.h"

#include <gtest/gtest.h>

namespace {

using qx::sysinfo::CModuleList;
using qx::sysinfo::Provider;
using qx::test::FakeSystem;

const std::string kHeading = "\r\nModules 32 bits charg\xE9s :\r\n";

std::string Pad(std::string s, std::size_t width)
{
    s.resize(std::max(s.size(), width), ' ');
    return s;
}

std::string ProcessColumn(const std::string& path, const std::string& version, int count)
{
    return Pad(path, 55) + " " + Pad(version, 15) + " x" + std::to_string(count) + "\r\n";
}

std::string ModuleColumn(const std::string& path, const std::string& version, int count)
{
    return "    " + Pad(path, 51) + " " + Pad(version, 15) + " x" + std::to_string(count) + "\r\n";
}

std::string DialogLines(const std::string& path, const std::string& version, int count)
{
    return path + "\r\n" + Pad(version, 15) + " x" + std::to_string(count) + "\r\n";
}

CReportRecord Collect(FakeSystem& system, Provider provider = Provider::Nt, const std::string& ownName = "qxbeta")
{
    CReportRecord record;
    record.m_strLoadedDlls = "16-bit part";
    qx::sysinfo::CollectModules32(system.Services(provider, ownName), record);
    return record;
}

TEST(Modules32, WritesEachKeptProcessInBothFormsToTheByte)
{
    FakeSystem system;
    system.files.Add("/opt/orvane/QXEDIT.EXE", qx::test::PeWithVersion("5.50.1"));
    system.files.Add("/opt/orvane/qxrt32.dll", qx::test::PeWithVersion("5.50"));
    system.processes.AddProcess(10, {"/usr/bin/bash", "/usr/lib/libc.so.6"});
    system.processes.AddProcess(20, {"/opt/orvane/QXEDIT.EXE", "/usr/lib/libc.so.6", "/opt/orvane/qxrt32.dll",
                                     "/usr/lib/libm.so.6", "/opt/orvane/qxrt32.dll"});

    const CReportRecord record = Collect(system);

    EXPECT_EQ(record.m_strModules32, ProcessColumn("/opt/orvane/QXEDIT.EXE", "5.50.1", 1) +
                                         ModuleColumn("/opt/orvane/qxrt32.dll", "5.50", 2) +
                                         ModuleColumn("/usr/lib/libc.so.6", "", 1) +
                                         ModuleColumn("/usr/lib/libm.so.6", "", 1));
    EXPECT_EQ(record.m_strLoadedDlls, "16-bit part" + kHeading + DialogLines("/opt/orvane/QXEDIT.EXE", "5.50.1", 1) +
                                          DialogLines("/opt/orvane/qxrt32.dll", "5.50", 2) +
                                          DialogLines("/usr/lib/libc.so.6", "", 1) +
                                          DialogLines("/usr/lib/libm.so.6", "", 1));
    // The columns of the printed heading: version at 57, "x" at 73.
    EXPECT_EQ(record.m_strModules32.substr(56, 6), "5.50.1");
    EXPECT_EQ(record.m_strModules32[72], 'x');
    // A file without version shows 15 blanks.
    EXPECT_NE(record.m_strModules32.find("/usr/lib/libc.so.6" + std::string(51 - 18, ' ') + " " + std::string(15, ' ') + " x1"),
              std::string::npos);
}

TEST(Modules32, LongPathsAndVersionsPushTheRestOfTheLineRight)
{
    FakeSystem system;
    const std::string longExe = "/" + std::string(300, 'd') + "/QXLONG.EXE"; // longer than the old 260 buffers
    const std::string longVersion = "5.50.1234 build 20 (beta)";
    system.files.Add(longExe, qx::test::PeWithVersion(longVersion));
    system.processes.AddProcess(1, {longExe, "/lib/" + std::string(60, 'm') + ".so"});

    const CReportRecord record = Collect(system);

    EXPECT_EQ(record.m_strModules32, longExe + " " + longVersion + " x1\r\n" + "    /lib/" + std::string(60, 'm') +
                                         ".so " + std::string(15, ' ') + " x1\r\n");
}

TEST(Modules32, TwoCopiesOfOneProgramGiveTwoBlocks)
{
    FakeSystem system;
    system.processes.AddProcess(5, {"/opt/QXRUN.EXE", "/lib/libc.so"});
    system.processes.AddProcess(7, {"/opt/QXRUN.EXE", "/lib/libz.so"});

    const CReportRecord record = Collect(system);

    EXPECT_EQ(record.m_strModules32, ProcessColumn("/opt/QXRUN.EXE", "", 1) + ModuleColumn("/lib/libc.so", "", 1) +
                                         ProcessColumn("/opt/QXRUN.EXE", "", 1) + ModuleColumn("/lib/libz.so", "", 1));
}

TEST(Modules32, OwnProcessIsLeftOutIgnoringCase)
{
    FakeSystem system;
    system.processes.AddProcess(1, {"/usr/bin/QXBeta", "/opt/libQXR.so"});
    system.processes.AddProcess(2, {"/opt/QXRUN.EXE"});

    const CReportRecord record = Collect(system, Provider::Nt, "qxbeta");

    EXPECT_EQ(record.m_strModules32, ProcessColumn("/opt/QXRUN.EXE", "", 1));
}

TEST(Modules32, AWindowsProgramRunByWineIsKeptByItsWindowsNamesAndItsVersionsReadFromItsFiles)
{
    FakeSystem system;
    system.files.Add("/p/drive_c/ORVANE55/ORVANE55.EXE", qx::test::PeWithVersion("5.50.1"));
    system.files.Add("/p/drive_c/ORVANE55/QXRT32.DLL", qx::test::PeWithVersion("5.50.3"));
    system.processes.AddProcess(3, {});
    system.processes.modules[3] = {{"ORVANE55.EXE", "C:\\ORVANE55\\ORVANE55.EXE", "/p/drive_c/ORVANE55/ORVANE55.EXE"},
                                   {"QXRT32.DLL", "C:\\ORVANE55\\QXRT32.DLL", "/p/drive_c/ORVANE55/QXRT32.DLL"}};
    // The program's own process, whatever separator its path uses, is left out.
    system.processes.AddProcess(4, {});
    system.processes.modules[4] = {{"qxbeta", "Z:\\opt\\qxbeta"}, {"QXRT32.DLL", "C:\\ORVANE55\\QXRT32.DLL"}};

    const CReportRecord record = Collect(system, Provider::Nt, "qxbeta");

    EXPECT_EQ(record.m_strModules32, ProcessColumn("C:\\ORVANE55\\ORVANE55.EXE", "5.50.1", 1) +
                                         ModuleColumn("C:\\ORVANE55\\QXRT32.DLL", "5.50.3", 1));
}

struct NothingWrittenCase {
    const char* name;
    void (*setUp)(FakeSystem&);
};

class Modules32Nothing : public testing::TestWithParam<NothingWrittenCase> {};

TEST_P(Modules32Nothing, WritesAucunAfterTheHeading)
{
    FakeSystem system;
    GetParam().setUp(system);

    const CReportRecord record = Collect(system);

    EXPECT_EQ(record.m_strModules32, "");
    EXPECT_EQ(record.m_strLoadedDlls, "16-bit part" + kHeading + "Aucun");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Modules32Nothing,
    testing::Values(
        NothingWrittenCase{"NoProductModule",
                           [](FakeSystem& s) { s.processes.AddProcess(1, {"/usr/bin/bash", "/lib/libc.so"}); }},
        NothingWrittenCase{"OnlyTheProgramItself",
                           [](FakeSystem& s) { s.processes.AddProcess(1, {"/usr/bin/qxbeta", "/lib/libc.so"}); }},
        NothingWrittenCase{"EnumerationFails", [](FakeSystem& s) { s.processes.enumerationFails = true; }},
        NothingWrittenCase{"ProcessesCannotBeOpened", [](FakeSystem& s) { s.processes.order = {1, 2, 3}; }},
        NothingWrittenCase{"ExecutablePathUnreadable",
                           [](FakeSystem& s) {
                               s.processes.order.push_back(4);
                               s.processes.modules[4] = {{"", ""}, {"QXRT32.DLL", "/opt/QXRT32.DLL"}};
                           }},
        NothingWrittenCase{"NoProcessesAtAll", [](FakeSystem&) {}}),
    [](const testing::TestParamInfo<NothingWrittenCase>& info) { return info.param.name; });

TEST(Modules32, ModulesAreSortedWithoutRegardToCaseAndUnreadablePathsSkipped)
{
    FakeSystem system;
    system.processes.order.push_back(3);
    system.processes.modules[3] = {{"app", "/bin/app"},       {"b.so", "/lib/b.so"}, {"", ""},
                                   {"QXA.DLL", "/lib/QXA.DLL"}, {"c.so", "/lib/C.so"}, {"_x.so", "/lib/_x.so"}};

    const CReportRecord record = Collect(system);

    // "_" (0x5F) sorts before every letter: letters fold to lower case (0x61 and up).
    EXPECT_EQ(record.m_strModules32, ProcessColumn("/bin/app", "", 1) + ModuleColumn("/lib/_x.so", "", 1) +
                                         ModuleColumn("/lib/b.so", "", 1) + ModuleColumn("/lib/C.so", "", 1) +
                                         ModuleColumn("/lib/QXA.DLL", "", 1));
}

TEST(ModuleList, NtRulesTakeTheFirstModuleAsExecutableAndListEveryLaterOne)
{
    FakeSystem system;
    system.processes.AddProcess(1, {"/opt/qxtool", "/opt/OTHER.EXE", "/lib/a.so", "/lib/a.so"});
    CModuleList list(system.files);

    EXPECT_TRUE(list.Enumerate(system.processes, Provider::Nt));

    ASSERT_EQ(list.m_arrProcesses.size(), 1u);
    const auto& process = list.m_arrProcesses[0];
    EXPECT_EQ(process.m_strPath, "/opt/qxtool");
    ASSERT_EQ(process.m_arrModules.size(), 2u);
    EXPECT_EQ(process.m_arrModules[0].m_strPath, "/lib/a.so");
    EXPECT_EQ(process.m_arrModules[0].m_nInstances, 2);
    EXPECT_EQ(process.m_arrModules[1].m_strPath, "/opt/OTHER.EXE");
}

TEST(ModuleList, Win95RulesTakeTheFirstExeAndNeverListExeModules)
{
    FakeSystem system;
    system.processes.order = {1, 2, 3};
    // The module names, not the paths, decide.
    system.processes.modules[1] = {{"KERNEL32.DLL", "/w/kernel32.dll"},
                                   {"QXRUN.EXE", "/w/QXRUN.EXE"},
                                   {"OTHER.EXE", "/w/OTHER.EXE"},
                                   {"USER32.DLL", "/w/user32.dll"}};
    system.processes.modules[2] = {{"QXRT32.DLL", "/w/QXRT32.DLL"}, {"tool", "/w/tool"}}; // no ".EXE": not listed
    system.processes.modules[3] = {{"EDIT.EXE", "/w/EDIT.EXE"}, {"qxrt32.dll", "/w/other-name.dll"}};
    CModuleList list(system.files);

    EXPECT_TRUE(list.Enumerate(system.processes, Provider::Win95));

    ASSERT_EQ(list.m_arrProcesses.size(), 2u);
    EXPECT_EQ(list.m_arrProcesses[0].m_strPath, "/w/QXRUN.EXE");
    ASSERT_EQ(list.m_arrProcesses[0].m_arrModules.size(), 2u);
    EXPECT_EQ(list.m_arrProcesses[0].m_arrModules[0].m_strPath, "/w/kernel32.dll");
    EXPECT_EQ(list.m_arrProcesses[0].m_arrModules[1].m_strPath, "/w/user32.dll");
    EXPECT_EQ(list.m_arrProcesses[1].m_strPath, "/w/EDIT.EXE");
    ASSERT_EQ(list.m_arrProcesses[1].m_arrModules.size(), 1u);
    EXPECT_EQ(list.m_arrProcesses[1].m_arrModules[0].m_strPath, "/w/other-name.dll");
}

TEST(ModuleList, EnumerationFailureReturnsZeroAndAddProcessNeverMerges)
{
    FakeSystem system;
    system.processes.enumerationFails = true;
    CModuleList list(system.files);
    EXPECT_FALSE(list.Enumerate(system.processes, Provider::Nt));
    EXPECT_TRUE(list.m_arrProcesses.empty());

    EXPECT_EQ(list.AddProcess("/a/QX.EXE"), 0u);
    EXPECT_EQ(list.AddProcess("/a/QX.EXE"), 1u);
    EXPECT_EQ(list.m_arrProcesses[1].m_nInstances, 1);
}

TEST(ModuleList, EachFileVersionIsReadOncePerSnapshot)
{
    FakeSystem system;
    system.files.Add("/lib/QXRT32.DLL", qx::test::PeWithVersion("5.50"));
    for (qx::platform::ProcessId id = 1; id <= 5; ++id)
        system.processes.AddProcess(id, {"/bin/QXAPP" + std::to_string(id), "/lib/QXRT32.DLL"});
    CModuleList list(system.files);

    list.Enumerate(system.processes, Provider::Nt);

    ASSERT_EQ(list.m_arrProcesses.size(), 5u);
    EXPECT_EQ(list.m_arrProcesses[4].m_arrModules[0].m_strVersion, "5.50");
    EXPECT_EQ(system.files.opens["/lib/QXRT32.DLL"], 1);
}

} // namespace
