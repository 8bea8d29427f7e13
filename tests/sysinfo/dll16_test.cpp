// The 16-bit DLL step: the helper's start, its file read in pairs, failures.
#include "sysinfo/sysinfo.h"
#include "sysinfo_fixture.h"

#include "platform/posix/posix_file_reader.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using qx::platform::RunOutcome;

const std::string kHeading = "DLL 16 bits charg\xE9" "es :\r\n";

std::string Name(const std::string& name)
{
    std::string padded = name;
    padded.resize(std::max<std::size_t>(56, name.size()), ' ');
    return padded;
}

class Dll16 : public testing::Test {
protected:
    qx::test::ScratchDir dir;
    qx::test::FakeSystem system;
    qx::platform::PosixFileReader diskFiles;

    std::string InstallDir() const { return dir.Path().string() + "/"; }

    qx::sysinfo::SystemServices Services()
    {
        return {system.version, system.processes, qx::sysinfo::Provider::Nt, "qxbeta", diskFiles, diskFiles,
                system.store, system.programs};
    }

    // The helper writes `contents` into the file it is given.
    void HelperWrites(const std::string& contents)
    {
        system.programs.action = [contents](const std::vector<std::string>& argv) {
            std::ofstream(argv.at(1), std::ios::binary) << contents;
        };
    }

    CReportRecord Collect()
    {
        CReportRecord record;
        record.m_strLoadedDlls = "old text";
        record.m_strDll16 = "old list";
        qx::sysinfo::CollectDll16(Services(), InstallDir(), record);
        return record;
    }

    bool TempFilesLeft() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            if (entry.path().filename().string().starts_with("qx")) return true;
        return false;
    }
};

TEST_F(Dll16, StartsTheHelperWithItsPathAndTheTemporaryFileThenRemovesIt)
{
    HelperWrites("");
    Collect();

    ASSERT_EQ(system.programs.calls.size(), 1u);
    const auto& call = system.programs.calls[0];
    EXPECT_EQ(call.program, InstallDir() + "lstdll16.exe");
    ASSERT_EQ(call.argv.size(), 2u);
    EXPECT_EQ(call.argv[0], call.program);
    const std::string temp = std::filesystem::path(call.argv[1]).filename().string();
    EXPECT_TRUE(temp.starts_with("qx") && temp.ends_with(".TMP") && temp.size() == 10) << temp;
    EXPECT_EQ(std::filesystem::path(call.argv[1]).parent_path(), dir.Path());
    EXPECT_EQ(call.limit, std::chrono::seconds(60));
    EXPECT_FALSE(TempFilesLeft());
}

struct PairCase {
    const char* name;
    std::string file;
    std::string list;
};

class Dll16Pairs : public Dll16, public testing::WithParamInterface<PairCase> {};

TEST_P(Dll16Pairs, TurnsEachPairIntoOneLine)
{
    HelperWrites(GetParam().file);
    const CReportRecord record = Collect();
    EXPECT_EQ(record.m_strDll16, GetParam().list);
    EXPECT_EQ(record.m_strLoadedDlls, kHeading + GetParam().list);
}

const std::string k300(300, 'L');

INSTANTIATE_TEST_SUITE_P(
    Cases, Dll16Pairs,
    testing::Values(
        PairCase{"TwoPairs", "QXRT16.DLL\r\n5.50           x1\r\nUSER.EXE\r\n3.10           x2\r\n",
                 Name("QXRT16.DLL") + "5.50           x1\r\n" + Name("USER.EXE") + "3.10           x2\r\n"},
        PairCase{"OddLineCount", "QXRT16.DLL\r\n5.50 x1\r\nLAST.DLL\r\n",
                 Name("QXRT16.DLL") + "5.50 x1\r\n" + Name("LAST.DLL")},
        PairCase{"OneCharacterNameKeepsItsCarriageReturn", "A\r\n1.0 x1\r\n", Name("A\r") + "1.0 x1\r\n"},
        PairCase{"TwoCharacterNameLosesBoth", "AB\r\n1.0 x1\r\n", Name("AB") + "1.0 x1\r\n"},
        PairCase{"EmptyNameKeepsItsLineEnd", "\r\n1.0 x1\r\n", Name("\r\n") + "1.0 x1\r\n"},
        PairCase{"LineFeedOnly", "QXRT16.DLL\n5.50\n", Name("QXRT16.DLL") + "5.50\n"},
        PairCase{"LongNameIsNotCut", std::string(70, 'N') + "\r\n5.50 x1\r\n", std::string(70, 'N') + "5.50 x1\r\n"},
        // 259 characters, then the rest of the line counts as the next line.
        PairCase{"LongLineComesInPieces", k300 + "\r\n",
                 std::string(259, 'L') + std::string(41, 'L') + "\r\n"},
        PairCase{"NoLineEndAtTheEnd", "QXRT16.DLL\r\n5.50", Name("QXRT16.DLL") + "5.50"},
        PairCase{"ZeroByteEndsALine", std::string("QX\0junk\r\n5.5\0x\r\n", 16), Name("QX") + "5.5"},
        PairCase{"EmptyFile", "", "Aucune"}),
    [](const testing::TestParamInfo<PairCase>& info) { return info.param.name; });

TEST_F(Dll16, HelperFailuresGiveTheStartFailureText)
{
    const qx::platform::RunResult failures[] = {
        {RunOutcome::Exited, 1}, {RunOutcome::NotStarted, -1}, {RunOutcome::Signalled, -1}, {RunOutcome::TimedOut, -1}};
    for (const auto& failure : failures) {
        HelperWrites("QXRT16.DLL\r\n5.50 x1\r\n");
        system.programs.result = failure;
        const CReportRecord record = Collect();
        const std::string text = "Impossible d'ex\xE9" "cuter " + InstallDir() + "lstdll16.exe";
        EXPECT_EQ(record.m_strDll16, text);
        EXPECT_EQ(record.m_strLoadedDlls, kHeading + text);
        EXPECT_FALSE(TempFilesLeft());
    }
}

TEST_F(Dll16, AWindowsHelperRunsThroughWineInThePrefixOfTheRunningEnvironment)
{
    std::ofstream(dir.File("lstdll16.exe"), std::ios::binary) << "MZ\x90";
    // 3 runs under Wine without a product file; 4 is native with one; 5 is the environment.
    system.processes.AddProcess(3, {"C:\\windows\\system32\\services.exe"});
    system.processes.winePrefixes[3] = "/srv/other-prefix";
    system.processes.AddProcess(4, {"/opt/QXTOOL"});
    system.processes.AddProcess(5, {"C:\\ORVANE55\\ORVANE55.EXE", "C:\\ORVANE55\\QXRT32.DLL"});
    system.processes.winePrefixes[5] = "/home/tester/.wine";
    // 6 runs an environment of another prefix, where the helper's folder is.
    system.processes.AddProcess(6, {"C:\\ORVANE55\\ORVANE55.EXE", "C:\\ORVANE55\\QXRT32.DLL"});
    system.processes.winePrefixes[6] = dir.Path().parent_path().string();
    HelperWrites("QXRT16.DLL\r\n5.50 x1\r\n");

    EXPECT_EQ(Collect().m_strDll16, Name("QXRT16.DLL") + "5.50 x1\r\n");
    ASSERT_EQ(system.programs.calls.size(), 1u);
    const auto& call = system.programs.calls[0];
    EXPECT_TRUE(call.throughWine);
    EXPECT_EQ(call.winePrefix, dir.Path().parent_path().string()) << "the prefix that holds the installation";
    EXPECT_EQ(call.program, InstallDir() + "lstdll16.exe");
    EXPECT_EQ(call.argv.size(), 2u);
    EXPECT_EQ(call.limit, std::chrono::seconds(60));

    system.programs.calls.clear();
    system.processes.winePrefixes.erase(6);
    Collect();
    ASSERT_EQ(system.programs.calls.size(), 1u);
    EXPECT_EQ(system.programs.calls[0].winePrefix, std::optional<std::string>("/home/tester/.wine"))
        << "else the first environment under Wine";

    system.programs.calls.clear();
    system.processes.winePrefixes.erase(5);
    Collect();
    ASSERT_EQ(system.programs.calls.size(), 1u);
    EXPECT_TRUE(system.programs.calls[0].throughWine);
    EXPECT_EQ(system.programs.calls[0].winePrefix, std::nullopt) << "no environment under Wine: Wine's default";
}

TEST_F(Dll16, ANativeHelperOrScriptRunsDirectly)
{
    for (const char* contents : {"#!/bin/sh\n", "\x7F" "ELF", "M"}) {
        std::ofstream(dir.File("lstdll16.exe"), std::ios::binary) << contents;
        system.programs.calls.clear();
        Collect();
        ASSERT_EQ(system.programs.calls.size(), 1u);
        EXPECT_FALSE(system.programs.calls[0].throughWine) << contents;
    }
}

TEST_F(Dll16, AFileThatCannotBeOpenedAfterASuccessfulRunGivesAucune)
{
    system.programs.action = [](const std::vector<std::string>& argv) { std::filesystem::remove(argv.at(1)); };
    EXPECT_EQ(Collect().m_strDll16, "Aucune");
}

TEST_F(Dll16, AMissingInstallationDirectoryStartsNothingAndGivesAucune)
{
    CReportRecord record;
    qx::sysinfo::CollectDll16(Services(), dir.File("missing") + "/", record);
    EXPECT_TRUE(system.programs.calls.empty());
    EXPECT_EQ(record.m_strDll16, "Aucune");
    EXPECT_EQ(record.m_strLoadedDlls, kHeading + "Aucune");
}

TEST_F(Dll16, AHugeBinaryFileIsReadWithoutHarm)
{
    std::string binary(4 << 20, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 131) % 251);
    HelperWrites(binary);
    const CReportRecord record = Collect();
    EXPECT_FALSE(record.m_strDll16.empty());
    EXPECT_LT(record.m_strDll16.size(), binary.size() * 2);
}

} // namespace
