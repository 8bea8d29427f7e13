// Processes and their modules from /proc: what counts as a module, Windows
// programs run by Wine, processes in another mount namespace. Trees laid out
// like /proc stand for processes a test cannot make; a real process shows
// that a data file is never opened.
#include "platform/posix/proc_process_source.h"

#include "support/scratch_dir.h"
#include "support/waiting_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qx::platform {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, std::string_view bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void MakeSocket(const fs::path& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
}

std::vector<std::string> Paths(const std::vector<LoadedModule>& modules)
{
    std::vector<std::string> paths;
    for (const LoadedModule& m : modules) paths.push_back(m.path);
    return paths;
}

// A tree laid out like /proc, and the files its processes map.
class ProcTree : public testing::Test {
protected:
    ProcTree()
    {
        fs::create_directories(proc / "self/ns");
        fs::create_symlink("mnt:[1]", proc / "self/ns/mnt");
        Write(disk / "QXEDIT.EXE", "MZ\x90\0");
        Write(disk / "QXRT32.DLL", "MZ\x90\0");
        Write(disk / "libqx.so", "\x7F" "ELF\2\1");
        Write(disk / "code.bin", "raw code");
        Write(disk / "LC_CTYPE", "locale data");
        Write(disk / "short", "M");
        ::mkfifo((disk / "fifo").c_str(), 0600);
        MakeSocket(disk / "sock");
        fs::create_symlink(disk / "QXRT32.DLL", disk / "link.dll");
    }

    // Process `id` with its "exe" link and its "maps".
    fs::path Process(ProcessId id, const fs::path& exe, const std::string& maps)
    {
        const fs::path dir = proc / std::to_string(id);
        fs::create_directories(dir / "ns");
        fs::create_symlink(exe, dir / "exe");
        fs::create_symlink("mnt:[1]", dir / "ns/mnt");
        Write(dir / "maps", maps);
        return dir;
    }

    std::string Line(const std::string& range, const char* permissions, const char* offset, const fs::path& path) const
    {
        return range + " " + permissions + " " + offset + " 08:01 1234   " + path.string() + "\n";
    }

    test::ScratchDir scratch;
    fs::path proc = scratch.Path() / "proc";
    fs::path disk = scratch.Path() / "disk";
    ProcProcessSource source{proc.string()};
};

TEST(ProcMaps, MappingsAtOffsetZeroInOrderWithTheExecutableFlagOfTheirFile)
{
    const std::string maps =
        "55d0c0a00000-55d0c0a28000 r--p 00000000 08:01 1234   /usr/bin/bash\n"
        "55d0c0a28000-55d0c0af0000 r-xp 00028000 08:01 1234   /usr/bin/bash\n"
        "55d0c1000000-55d0c1100000 rw-p 00000000 00:00 0      [heap]\n"
        "7f0000000000-7f0000001000 r--p 00000000 08:01 99     /opt/with space/QXRT32.DLL\n"
        "7f0000001000-7f0000002000 rw-p 00000000 00:00 0 \n"
        "7f0000002000-7f0000003000 r--s 00000000 08:01 77     /usr/share/wine/nls/locale.nls\n"
        "7f0000003000-7f0000004000 r--p 00000000 00:05 8      /memfd:x (deleted)\n"
        "7f0000004000-7f0000005000 r--s 00000000 00:19 9      /tmp/wine-0/server/tmpmap-1 (deleted)\n"
        "7f0000005000-7f0000006000 r--p 0000000g 08:01 77     /lib/bad-offset\n"
        "7f0000006000-7f0000007000 r--p 00000000 08:01 99     /opt/with space/QXRT32.DLL\n"
        "7ffd00000000-7ffd00001000 r-xp 00000000 00:00 0      [vdso]\n"
        "truncated line";
    const std::vector<MappedFile> files = MappedFiles(maps);
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0].path, "/usr/bin/bash");
    EXPECT_EQ(files[0].start, 0x55d0c0a00000u);
    EXPECT_TRUE(files[0].executable) << "its code is mapped at another offset";
    EXPECT_EQ(files[1].path, "/opt/with space/QXRT32.DLL");
    EXPECT_FALSE(files[1].executable);
    EXPECT_EQ(files[2].path, "/usr/share/wine/nls/locale.nls");
    EXPECT_EQ(files[3].path, "/opt/with space/QXRT32.DLL") << "mapped twice, loaded twice";
    EXPECT_EQ(files[3].start, 0x7f0000006000u);
}

TEST_F(ProcTree, OnlyRegularFilesMappedExecutableOrWithAnImageHeaderAreModules)
{
    Process(42, disk / "QXEDIT.EXE",
            Line("1000-2000", "r--p", "00000000", disk / "QXEDIT.EXE") +
                Line("2000-3000", "r--p", "00000000", disk / "LC_CTYPE") +
                Line("3000-4000", "r--s", "00000000", disk / "fifo") +
                Line("4000-5000", "r--p", "00000000", disk / "libqx.so") +
                Line("5000-6000", "r-xp", "00001000", disk / "libqx.so") +
                Line("6000-7000", "r--p", "00000000", disk / "QXRT32.DLL") +
                Line("7000-8000", "r-xp", "00000000", disk / "code.bin") +
                Line("8000-9000", "r--p", "00000000", disk / "link.dll") +
                Line("9000-a000", "r-xs", "00000000", disk / "sock") +
                Line("a000-b000", "r-xs", "00000000", "/dev/null") +
                Line("b000-c000", "r--p", "00000000", disk / "short") +
                Line("c000-d000", "r--p", "00000000", disk / "gone.dll (deleted)") +
                Line("d000-e000", "r--p", "00000000", disk / "QXRT32.DLL"));
    fs::create_directories(proc / "7"); // no readable maps: another user's process, or ended

    auto processes = source.ListProcesses();
    ASSERT_TRUE(processes);
    std::sort(processes->begin(), processes->end());
    EXPECT_EQ(*processes, (std::vector<ProcessId>{7, 42}));

    const auto modules = source.ReadModules(42);
    ASSERT_TRUE(modules);
    EXPECT_EQ(Paths(*modules), (std::vector<std::string>{(disk / "QXEDIT.EXE").string(), (disk / "libqx.so").string(),
                                                         (disk / "QXRT32.DLL").string(), (disk / "code.bin").string(),
                                                         (disk / "QXRT32.DLL").string()}));
    EXPECT_EQ((*modules)[0].name, "QXEDIT.EXE");
    EXPECT_TRUE(std::all_of(modules->begin(), modules->end(), [](const LoadedModule& m) { return m.file.empty(); }));
    EXPECT_FALSE(source.ReadModules(7));
    EXPECT_FALSE(source.ReadModules(999));
    EXPECT_FALSE(source.WinePrefixOf(42)) << "not run by Wine";
    EXPECT_FALSE(ProcProcessSource(scratch.File("none")).ListProcesses());
}

TEST_F(ProcTree, AProcessWithoutReadableExecutableLinkHasAnEmptyFirstPath)
{
    fs::create_directories(proc / "2");
    Write(proc / "2/maps", "");
    const auto modules = source.ReadModules(2);
    ASSERT_TRUE(modules);
    ASSERT_EQ(modules->size(), 1u);
    EXPECT_EQ((*modules)[0].path, "");
}

TEST_F(ProcTree, AProcessInAnotherMountNamespaceIsReadThroughItsRoot)
{
    // Its /opt/orvane exists only in its own file system, here under "container".
    const fs::path container = scratch.Path() / "container";
    Write(container / "opt/orvane/QXRT32.DLL", "MZ\x90\0");
    Write(container / "opt/orvane/notes.dat", "data");
    const fs::path dir = Process(9, "/opt/orvane/qxtool",
                                 Line("1000-2000", "r--p", "00000000", "/opt/orvane/QXRT32.DLL") +
                                     Line("2000-3000", "r--p", "00000000", "/opt/orvane/notes.dat"));
    fs::remove(dir / "ns/mnt");
    fs::create_symlink("mnt:[2]", dir / "ns/mnt");
    fs::create_symlink(container, dir / "root");

    const auto modules = source.ReadModules(9);
    ASSERT_TRUE(modules);
    ASSERT_EQ(modules->size(), 2u);
    EXPECT_EQ((*modules)[0].path, "/opt/orvane/qxtool");
    EXPECT_EQ((*modules)[1].path, "/opt/orvane/QXRT32.DLL") << "named as the process sees it";
    EXPECT_EQ(FileOf((*modules)[1]), (dir / "root").string() + "/opt/orvane/QXRT32.DLL") << "read through its root";
}

// A Windows program run by Wine in a prefix of its own.
class WineProcessTree : public ProcTree {
protected:
    WineProcessTree()
    {
        fs::create_directories(prefix / "dosdevices");
        fs::create_symlink("../drive_c", prefix / "dosdevices/c:");
        fs::create_symlink("/", prefix / "dosdevices/z:");
        Write(prefix / "drive_c/ORVANE55/ORVANE55.EXE", "MZ\x90\0");
        Write(prefix / "drive_c/ORVANE55/QXRT32.DLL", "MZ\x90\0");
        Write(prefix / "drive_c/ORVANE55/QXKERN.DLL", "MZ\x90\0");
        Write(disk / "wine/kernel32.dll", "MZ\x90\0");
        Write(disk / "wine/ntdll.so", "\x7F" "ELF\2\1");
        Write(disk / "wine/locale.nls", "NLS data");
        Write(disk / "wine/wine64", "\x7F" "ELF\2\1");
        driveC = fs::canonical(prefix / "drive_c");
    }

    fs::path WineProcess(ProcessId id, const std::string& maps, const std::string& environment,
                         std::string_view commandLine = "C:\\ORVANE55\\ORVANE55.EXE\0")
    {
        const fs::path dir = Process(id, disk / "wine/wine64", maps);
        Write(dir / "environ", environment);
        Write(dir / "cmdline", commandLine);
        return dir;
    }

    std::string Maps(bool withExe) const
    {
        std::string maps = Line("1000-2000", "r--p", "00000000", disk / "wine/wine64") +
                           Line("2000-3000", "r-xp", "00001000", disk / "wine/wine64");
        if (withExe) maps += Line("140000000-140001000", "r--p", "00000000", driveC / "ORVANE55/ORVANE55.EXE");
        return maps + Line("246b20000-246b21000", "r--p", "00000000", driveC / "ORVANE55/QXKERN.DLL") +
               Line("362020000-362021000", "r--p", "00000000", driveC / "ORVANE55/QXRT32.DLL") +
               Line("370000000-370001000", "r--p", "00000000", disk / "wine/kernel32.dll") +
               Line("380000000-380001000", "r--p", "00000000", disk / "wine/ntdll.so") +
               Line("381000000-381001000", "r-xp", "00001000", disk / "wine/ntdll.so") +
               Line("390000000-390001000", "r--s", "00000000", disk / "wine/locale.nls");
    }

    fs::path prefix = scratch.Path() / "wine prefix";
    fs::path driveC;
};

TEST_F(WineProcessTree, TheProgramIsItsExeAndItsModulesAreThePeImagesInsideTheDriveAsWindowsSeesThem)
{
    using namespace std::string_literals;
    WineProcess(30, Maps(true), "HOME=/nowhere\0WINEPREFIX="s + prefix.string() + "\0"s);
    EXPECT_EQ(source.WinePrefixOf(30), prefix.string());

    const auto modules = source.ReadModules(30);
    ASSERT_TRUE(modules);
    EXPECT_EQ(Paths(*modules), (std::vector<std::string>{"C:\\ORVANE55\\ORVANE55.EXE", "C:\\ORVANE55\\QXKERN.DLL",
                                                         "C:\\ORVANE55\\QXRT32.DLL",
                                                         (disk / "wine/kernel32.dll").string()}));
    EXPECT_EQ((*modules)[0].name, "ORVANE55.EXE");
    EXPECT_EQ(FileOf((*modules)[2]), (driveC / "ORVANE55/QXRT32.DLL").string()) << "its version is read from disk";
    EXPECT_EQ(FileOf((*modules)[3]), (disk / "wine/kernel32.dll").string());
}

TEST_F(WineProcessTree, WithoutAnExeImageTheFirstArgumentResolvedInThePrefixNamesTheProgram)
{
    using namespace std::string_literals;
    using namespace std::string_view_literals;
    WineProcess(31, Maps(false), "WINEPREFIX="s + prefix.string() + "\0"s, "c:\\orvane55\\orvane55.exe\0\0"sv);
    const auto modules = source.ReadModules(31);
    ASSERT_TRUE(modules);
    ASSERT_EQ(modules->size(), 4u);
    EXPECT_EQ((*modules)[0].path, "C:\\ORVANE55\\ORVANE55.EXE");
    EXPECT_EQ((*modules)[1].path, "C:\\ORVANE55\\QXKERN.DLL");
}

TEST_F(WineProcessTree, TheDefaultPrefixIsDotWineInTheProcessHome)
{
    using namespace std::string_literals;
    WineProcess(32, Maps(true), "HOME=/home/tester\0"s);
    EXPECT_EQ(source.WinePrefixOf(32), "/home/tester/.wine");
    WineProcess(33, Maps(true), "HOME=/home/tester\0WINEPREFIX=relative\0"s);
    EXPECT_EQ(source.WinePrefixOf(33), "/home/tester/.wine");
    const auto modules = source.ReadModules(32);
    ASSERT_TRUE(modules);
    EXPECT_EQ((*modules)[0].path, (driveC / "ORVANE55/ORVANE55.EXE").string()) << "no drives known: the Unix form";
}

TEST(WineLoader, TheLoadersFileNames)
{
    for (const char* path : {"/usr/lib/wine/wine64", "/usr/lib/wine/wine", "/opt/wine-staging/bin/wine64-preloader",
                             "wine-preloader"})
        EXPECT_TRUE(IsWineLoader(path)) << path;
    for (const char* path : {"/usr/bin/winecfg", "/usr/lib/wine/wineserver64", "/usr/bin/bash", ""})
        EXPECT_FALSE(IsWineLoader(path)) << path;
}

TEST(ProcEnvironment, FindsAVariableInTheBlock)
{
    using namespace std::string_literals;
    const std::string block = "HOME=/root\0WINEPREFIX=/srv/p\0WINEPREFIXX=no\0EMPTY=\0"s;
    EXPECT_EQ(EnvironmentValue(block, "WINEPREFIX"), "/srv/p");
    EXPECT_EQ(EnvironmentValue(block, "EMPTY"), "");
    EXPECT_EQ(EnvironmentValue(block, "PATH"), std::nullopt);
}

// python3 maps the files it is given and waits for its input to close.
std::vector<std::string> MappingArguments(const std::vector<std::string>& files)
{
    std::vector<std::string> args{"python3", "-c",
                                  "import mmap, sys\n"
                                  "maps = []\n"
                                  "for p in sys.argv[1:]:\n"
                                  "    with open(p, 'rb') as f: maps.append(mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ))\n"
                                  "sys.stdout.write('ready'); sys.stdout.flush()\n"
                                  "sys.stdin.read()\n"};
    args.insert(args.end(), files.begin(), files.end());
    return args;
}

TEST(ProcProcessSource, ReadsHeadersFromTheProcessMemorySoThatNoMappedFileIsOpened)
{
    test::ScratchDir dir;
    Write(dir.Path() / "QXRT32.DLL", std::string("MZ") + std::string(4094, '\0'));
    Write(dir.Path() / "LC_CTYPE", std::string(4096, 'd'));
    const test::WaitingProcess mapper(MappingArguments({dir.File("QXRT32.DLL"), dir.File("LC_CTYPE")}), "ready");
    ASSERT_TRUE(mapper.Ready());

    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, dir.Path().c_str(), IN_OPEN), 0);
    const auto modules = ProcProcessSource().ReadModules(static_cast<ProcessId>(mapper.Id()));
    char events[4096];
    const ::ssize_t opened = ::read(watch, events, sizeof events);
    ::close(watch);

    ASSERT_TRUE(modules);
    const std::vector<std::string> paths = Paths(*modules);
    EXPECT_NE(std::find(paths.begin(), paths.end(), dir.File("QXRT32.DLL")), paths.end());
    EXPECT_EQ(std::find(paths.begin(), paths.end(), dir.File("LC_CTYPE")), paths.end());
    EXPECT_LT(opened, 0) << "a file of the folder was opened";
}

TEST(ProcProcessSource, SeesThisProcess)
{
    ProcProcessSource source;
    const auto modules = source.ReadModules(static_cast<ProcessId>(::getpid()));
    ASSERT_TRUE(modules);
    ASSERT_FALSE(modules->empty());
    EXPECT_EQ((*modules)[0].path, OwnExecutablePath());
    EXPECT_TRUE(std::none_of(modules->begin() + 1, modules->end(),
                             [&](const auto& m) { return m.path == (*modules)[0].path; }));
}

} // namespace
} // namespace qx::platform
