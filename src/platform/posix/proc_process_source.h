#pragma once

// ProcessSource over the /proc file system. Per process: its executable (the
// "exe" link) first, then its modules among the files it maps ("maps"), in the
// address order of their mappings at file offset 0, the executable's own left
// out. A module is a regular file that the process maps executable or that
// starts with an ELF or an MZ header; data files, "(deleted)" mappings,
// sockets, FIFOs and device nodes are never listed, and are never opened:
// the first bytes are read from the process's own memory (its "mem" at the
// mapping), and only where that is refused (another user, a ptrace policy)
// from the file, opened as platform/posix/safe_open.h says.
//
// A Windows program run by Wine (its "exe" is Wine's loader) is described by
// the program itself: its executable is the PE image it maps whose name ends
// in ".exe" (failing that, its first command-line argument, resolved in its
// prefix), its modules are the other PE images it maps. Paths inside a drive
// of its prefix that is a folder of its own are written as the program sees
// them ("C:\ORVANE55\QXRT32.DLL"); paths reached only through the drive of the
// whole file system (Z:) keep their Unix form (platform/posix/wine_drives.h).
//
// The files of a process in another mount namespace (Flatpak, a container)
// are read through /proc/PID/root/; the report names them as the process
// sees them.

#include "platform/process_source.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx::platform {

// One file mapped by a process.
struct MappedFile {
    std::string path;
    std::uint64_t start = 0; // address of its first mapping at file offset 0
    bool executable = false; // one of its mappings may run code
};

class ProcProcessSource final : public ProcessSource {
public:
    // `root` stands for "/proc" (tests give a tree of their own, whose "self"
    // entry stands for this program).
    explicit ProcProcessSource(std::string root = "/proc") : m_root(std::move(root)) {}

    // The numeric entries of the root, in directory order.
    std::optional<std::vector<ProcessId>> ListProcesses() override;

    // Nothing when "maps" cannot be read (the process has ended, belongs to
    // another user); an executable whose link cannot be read has an empty path.
    std::optional<std::vector<LoadedModule>> ReadModules(ProcessId process) override;

    // WINEPREFIX of the process's environment when it is an absolute path,
    // else ".wine" in its HOME (in this program's HOME when it has none).
    std::optional<std::string> WinePrefixOf(ProcessId process) override;

private:
    std::string ProcessDirectory(ProcessId process) const;
    // "" when the process sees this program's file system, else its "root" link.
    std::string ViewRoot(ProcessId process) const;
    std::vector<LoadedModule> WineModules(ProcessId process, const std::string& view,
                                          const std::vector<MappedFile>& mapped, int memory);

    std::string m_root;
};

// The mappings at file offset 0 of a "maps" text, in address order (a file
// loaded twice is mapped there twice), each with whether any mapping of its
// file is executable. Anonymous and pseudo mappings ("[heap]") and
// "(deleted)" files are left out.
std::vector<MappedFile> MappedFiles(std::string_view maps);

// The value of `name` in a NUL-separated environment block ("/proc/PID/environ").
std::optional<std::string> EnvironmentValue(std::string_view environment, std::string_view name);

// True for the file names of Wine's loader: "wine", "wine64" and their
// "-preloader" forms.
bool IsWineLoader(std::string_view executablePath);

// The target of a symbolic link; empty when it cannot be read.
std::string ReadLink(const std::string& path);

// The path of the running program's own executable.
std::string OwnExecutablePath();

} // namespace qx::platform
