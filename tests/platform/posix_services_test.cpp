// The POSIX services behind the system information: program start, file
// reading and directory search, /proc.
#include "platform/posix/posix_file_reader.h"
#include "platform/posix/posix_program_runner.h"
#include "platform/posix/wildcard.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using qx::platform::RunOutcome;
using namespace std::chrono_literals;

void WriteScript(const std::string& path, const std::string& body)
{
    std::ofstream(path) << "#!/bin/sh\n" << body;
    ::chmod(path.c_str(), 0755);
}

TEST(ProgramRunner, GivesTheExitStatusAndPassesTheArgumentsWithoutAShell)
{
    qx::test::ScratchDir dir;
    const std::string script = dir.File("tool.exe");
    WriteScript(script, "printf '%s|' \"$0\" \"$@\" > \"$1.out\"\nexit 3\n");
    const std::string odd = dir.File("a b;echo x$(id).TMP");

    qx::platform::PosixProgramRunner runner;
    const auto result = runner.Run(script, {script, odd}, 10s);

    EXPECT_EQ(result.outcome, RunOutcome::Exited);
    EXPECT_EQ(result.exitStatus, 3);
    std::ifstream out(odd + ".out");
    std::string seen((std::istreambuf_iterator<char>(out)), std::istreambuf_iterator<char>());
    EXPECT_EQ(seen, script + "|" + odd + "|");
}

TEST(ProgramRunner, ReportsProgramsThatCannotStartOrAreEndedBySignals)
{
    qx::test::ScratchDir dir;
    qx::platform::PosixProgramRunner runner;
    EXPECT_EQ(runner.Run(dir.File("missing"), {dir.File("missing")}, 10s).outcome, RunOutcome::NotStarted);

    const std::string plain = dir.File("plain.exe");
    std::ofstream(plain) << "#!/bin/sh\nexit 0\n"; // not executable
    EXPECT_EQ(runner.Run(plain, {plain}, 10s).outcome, RunOutcome::NotStarted);

    const std::string noShebang = dir.File("noshebang.exe");
    std::ofstream(noShebang) << "exit 0\n";
    ::chmod(noShebang.c_str(), 0755); // a shell would run it; we never use one
    EXPECT_EQ(runner.Run(noShebang, {noShebang}, 10s).outcome, RunOutcome::NotStarted);

    const std::string killed = dir.File("killed.exe");
    WriteScript(killed, "kill -TERM $$\nsleep 5\n");
    EXPECT_EQ(runner.Run(killed, {killed}, 10s).outcome, RunOutcome::Signalled);
}

bool EndedOrZombie(pid_t process)
{
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string pid, name, state;
    return !(stat >> pid >> name >> state) || state == "Z";
}

TEST(ProgramRunner, KillsAProgramStillRunningAtTheLimitWithWhatItStarted)
{
    qx::test::ScratchDir dir;
    const std::string hung = dir.File("hung.exe");
    const std::string marker = dir.File("child.pid");
    WriteScript(hung, "sleep 300 &\necho $! > " + marker + "\nwait\n");

    qx::platform::PosixProgramRunner runner;
    const auto result = runner.Run(hung, {hung}, 1000ms);

    EXPECT_EQ(result.outcome, RunOutcome::TimedOut);
    std::ifstream in(marker);
    pid_t child = 0;
    in >> child;
    ASSERT_GT(child, 0);
    // The grandchild went with the group: soon it is gone, or a zombie
    // waiting for whoever adopted it.
    bool gone = false;
    for (int i = 0; i < 500 && !gone; ++i) {
        gone = EndedOrZombie(child);
        if (!gone) ::usleep(10000);
    }
    EXPECT_TRUE(gone);
}

TEST(ProgramRunner, FindsWineAsWineloaderOrOnThePath)
{
    qx::test::ScratchDir dir;
    std::filesystem::create_directories(dir.Path() / "bin");
    WriteScript(dir.File("bin/wine"), "exit 0\n");
    WriteScript(dir.File("my-wine"), "exit 0\n");
    std::ofstream(dir.File("plain")) << "not executable";
    const std::string path = "/nonexistent::" + dir.File("bin");

    using qx::platform::FindWineLoader;
    EXPECT_EQ(FindWineLoader(dir.File("my-wine").c_str(), path.c_str()), dir.File("my-wine"));
    EXPECT_EQ(FindWineLoader(dir.File("plain").c_str(), path.c_str()), dir.File("bin/wine"));
    EXPECT_EQ(FindWineLoader(nullptr, path.c_str()), dir.File("bin/wine"));
    EXPECT_EQ(FindWineLoader("", "/nonexistent"), std::nullopt);
    EXPECT_EQ(FindWineLoader(nullptr, nullptr), std::nullopt);
}

// PATH and WINELOADER for one test, put back afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(ProgramRunner, RunsAWindowsProgramThroughWineInTheGivenPrefix)
{
    qx::test::ScratchDir dir;
    std::filesystem::create_directories(dir.Path() / "bin");
    WriteScript(dir.File("bin/wine"), "printf '%s|' \"$0\" \"$@\" \"$WINEPREFIX\" > \"$2.out\"\nexit 4\n");
    const ScopedVariable path("PATH", dir.File("bin"));
    const ScopedVariable loader("WINELOADER", "");
    const std::string list = dir.File("qx1234.TMP");

    qx::platform::PosixProgramRunner runner;
    const auto result = runner.RunWindowsProgram("/opt/orvane/lstdll16.exe", {"/opt/orvane/lstdll16.exe", list},
                                                 std::string("/home/t/.wine"), 10s);
    EXPECT_EQ(result.outcome, RunOutcome::Exited);
    EXPECT_EQ(result.exitStatus, 4);
    std::ifstream out(list + ".out");
    const std::string seen((std::istreambuf_iterator<char>(out)), std::istreambuf_iterator<char>());
    EXPECT_EQ(seen, dir.File("bin/wine") + "|/opt/orvane/lstdll16.exe|" + list + "|/home/t/.wine|");

    const ScopedVariable noWine("PATH", dir.File("nowhere"));
    EXPECT_EQ(runner.RunWindowsProgram("/opt/orvane/lstdll16.exe", {"/opt/orvane/lstdll16.exe", list}, std::nullopt, 10s)
                  .outcome,
              RunOutcome::NotStarted);
}

TEST(Wildcard, MatchesStarsAndQuestionMarksWithoutRegardToCase)
{
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"QXEDIT.EXE", "*.exe", true}, {"qxedit.Exe", "*.EXE", true}, {"a.exe.bak", "*.exe", false},
        {"exe", "*.exe", false},       {".exe", "*.exe", true},       {"a.dll", "*.exe", false},
        {"abc", "a?c", true},          {"ac", "a?c", false},          {"anything", "*", true},
        {"", "*", true},               {"a.b.exe", "*.*exe", true},   {"xxyxxy", "*xy*xy", true},
        {"\xE9t\xE9.exe", "*.EXE", true},
    };
    for (const Case& c : cases) EXPECT_EQ(qx::platform::MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST(PosixFileReader, FindsMatchingEntriesAndOpensRegularFilesOnly)
{
    qx::test::ScratchDir dir;
    for (const char* name : {"QXEDIT.EXE", "tool.exe", "lib.dll", "notes.txt"}) std::ofstream(dir.File(name)) << "x";
    std::filesystem::create_directory(dir.File("sub.exe"));
    ::mkfifo(dir.File("pipe.dll").c_str(), 0600);

    qx::platform::PosixFileReader files;
    std::vector<std::string> exes = files.FindFiles(dir.File("*.exe"));
    std::sort(exes.begin(), exes.end());
    EXPECT_EQ(exes, (std::vector<std::string>{"QXEDIT.EXE", "sub.exe", "tool.exe"}));
    EXPECT_TRUE(files.FindFiles(dir.File("missing/*.exe")).empty());

    EXPECT_NE(files.OpenRead(dir.File("lib.dll")), nullptr);
    EXPECT_EQ(files.OpenRead(dir.File("sub.exe")), nullptr);
    EXPECT_EQ(files.OpenRead(dir.File("pipe.dll")), nullptr); // would block
    EXPECT_EQ(files.OpenRead(dir.File("missing")), nullptr);

    std::filesystem::create_symlink(dir.File("lib.dll"), dir.File("link.dll"));
    EXPECT_NE(files.OpenRead(dir.File("link.dll")), nullptr) << "a file the tester named may be a link";
    qx::platform::PosixFileReader moduleFiles(qx::platform::FinalLink::Refuse);
    EXPECT_NE(moduleFiles.OpenRead(dir.File("lib.dll")), nullptr);
    EXPECT_EQ(moduleFiles.OpenRead(dir.File("link.dll")), nullptr) << "a file a process named is never a link";
    EXPECT_EQ(moduleFiles.OpenRead(dir.File("pipe.dll")), nullptr);
    EXPECT_EQ(moduleFiles.OpenRead("/dev/null"), nullptr);

    auto file = files.OpenRead(dir.File("lib.dll"));
    std::uint8_t bytes[4] = {};
    EXPECT_EQ(file->ReadAt(0, bytes), 1u);
    EXPECT_EQ(file->ReadAt(100, bytes), 0u);
}

} // namespace
