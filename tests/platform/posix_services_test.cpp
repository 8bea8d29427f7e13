// The POSIX services behind the system information: program start, file
// reading and directory search, /proc.
#include "platform/posix/posix_file_reader.h"
#include "platform/posix/posix_program_runner.h"
#include "platform/posix/proc_process_source.h"
#include "platform/posix/wildcard.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
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

    auto file = files.OpenRead(dir.File("lib.dll"));
    std::uint8_t bytes[4] = {};
    EXPECT_EQ(file->ReadAt(0, bytes), 1u);
    EXPECT_EQ(file->ReadAt(100, bytes), 0u);
}

TEST(ProcMaps, TakesFileMappingsAtOffsetZeroInOrder)
{
    const std::string maps =
        "55d0c0a00000-55d0c0a28000 r--p 00000000 08:01 1234   /usr/bin/bash\n"
        "55d0c0a28000-55d0c0af0000 r-xp 00028000 08:01 1234   /usr/bin/bash\n"
        "55d0c1000000-55d0c1100000 rw-p 00000000 00:00 0      [heap]\n"
        "7f0000000000-7f0000001000 r--p 00000000 08:01 99     /opt/with space/QXRT32.DLL\n"
        "7f0000001000-7f0000002000 rw-p 00000000 00:00 0 \n"
        "7f0000002000-7f0000003000 r--p 00000000 08:01 77     /lib/libc.so.6\n"
        "7f0000003000-7f0000004000 r--p 00000000 00:05 8      /memfd:x (deleted)\n"
        "7f0000004000-7f0000005000 r--p 0000000g 08:01 77     /lib/bad-offset\n"
        "7ffd00000000-7ffd00001000 r-xp 00000000 00:00 0      [vdso]\n"
        "truncated line";
    EXPECT_EQ(qx::platform::MappedFilesAtOffsetZero(maps),
              (std::vector<std::string>{"/usr/bin/bash", "/opt/with space/QXRT32.DLL", "/lib/libc.so.6",
                                        "/memfd:x (deleted)"}));
}

TEST(ProcProcessSource, ReadsATreeLaidOutLikeProc)
{
    qx::test::ScratchDir dir;
    const auto proc = dir.Path();
    std::filesystem::create_directories(proc / "42");
    std::filesystem::create_directories(proc / "7");
    std::filesystem::create_directories(proc / "self");
    std::filesystem::create_directories(proc / "sys");
    std::filesystem::create_symlink("/opt/orvane/QXEDIT.EXE", proc / "42" / "exe");
    std::ofstream(proc / "42" / "maps")
        << "1000-2000 r--p 00000000 08:01 1 /opt/orvane/QXEDIT.EXE\n"
           "2000-3000 r--p 00000000 08:01 2 /opt/orvane/QXRT32.DLL\n"
           "3000-4000 r--p 00000000 08:01 2 /opt/orvane/QXRT32.DLL\n";
    // 7: no readable maps (another user's process, or ended).

    qx::platform::ProcProcessSource source(proc.string());
    auto processes = source.ListProcesses();
    ASSERT_TRUE(processes);
    std::sort(processes->begin(), processes->end());
    EXPECT_EQ(*processes, (std::vector<qx::platform::ProcessId>{7, 42}));

    const auto modules = source.ReadModules(42);
    ASSERT_TRUE(modules);
    ASSERT_EQ(modules->size(), 3u);
    EXPECT_EQ((*modules)[0].path, "/opt/orvane/QXEDIT.EXE");
    EXPECT_EQ((*modules)[0].name, "QXEDIT.EXE");
    EXPECT_EQ((*modules)[1].path, "/opt/orvane/QXRT32.DLL");
    EXPECT_EQ((*modules)[2].path, "/opt/orvane/QXRT32.DLL");
    EXPECT_FALSE(source.ReadModules(7));
    EXPECT_FALSE(source.ReadModules(999));

    EXPECT_FALSE(qx::platform::ProcProcessSource(dir.File("none")).ListProcesses());
}

TEST(ProcProcessSource, AProcessWithoutReadableExecutableLinkHasAnEmptyFirstPath)
{
    qx::test::ScratchDir dir;
    std::filesystem::create_directories(dir.Path() / "2");
    std::ofstream(dir.Path() / "2" / "maps") << "";
    const auto modules = qx::platform::ProcProcessSource(dir.Path().string()).ReadModules(2);
    ASSERT_TRUE(modules);
    ASSERT_EQ(modules->size(), 1u);
    EXPECT_EQ((*modules)[0].path, "");
}

TEST(ProcProcessSource, SeesThisProcess)
{
    qx::platform::ProcProcessSource source;
    const auto modules = source.ReadModules(static_cast<qx::platform::ProcessId>(::getpid()));
    ASSERT_TRUE(modules);
    ASSERT_FALSE(modules->empty());
    EXPECT_EQ((*modules)[0].path, qx::platform::OwnExecutablePath());
    EXPECT_TRUE(std::none_of(modules->begin() + 1, modules->end(),
                             [&](const auto& m) { return m.path == (*modules)[0].path; }));
}

} // namespace
