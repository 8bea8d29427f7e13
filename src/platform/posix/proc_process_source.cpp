#include "platform/posix/proc_process_source.h"

#include "platform/posix/descriptor_io.h"
#include "platform/posix/safe_open.h"
#include "platform/posix/wine_drives.h"
#include "text/ascii_case.h"
#include "text/path_parts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unordered_map>
#include <unistd.h>

namespace qx::platform {

namespace {

constexpr std::string_view kDeleted = " (deleted)";
constexpr std::array<std::string_view, 4> kWineLoaders = {"wine", "wine64", "wine-preloader", "wine64-preloader"};

struct DirectoryCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) return std::nullopt;
    return ReadAll(fd.Get());
}

std::string_view NextField(std::string_view& line)
{
    const auto start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        line = {};
        return {};
    }
    line.remove_prefix(start);
    const auto end = std::min(line.find(' '), line.size());
    const std::string_view field = line.substr(0, end);
    line.remove_prefix(end);
    return field;
}

bool EndsWithExe(std::string_view path)
{
    return path.size() >= 4 && text::EqualIgnoringAsciiCase(path.substr(path.size() - 4), ".exe");
}

// The kind of a mapped regular file, from the first bytes of its mapping at
// offset 0 in the process's memory; from the file itself only when that
// memory cannot be read. Nothing but a regular file is ever looked at.
ImageKind MappedImageKind(int memory, const std::string& file, const MappedFile& mapped)
{
    if (!IsRegularFile(file)) return ImageKind::None;
    if (memory < 0) return ImageKindOf(file);
    std::array<std::uint8_t, kImageHeadSize> head{};
    return ImageKindOf(std::span<const std::uint8_t>(head.data(), ReadAt(memory, mapped.start, head)));
}

// A native module: a regular file mapped executable, or an ELF or PE image.
bool IsNativeModule(int memory, const std::string& file, const MappedFile& mapped)
{
    if (mapped.executable) return IsRegularFile(file);
    return MappedImageKind(memory, file, mapped) != ImageKind::None;
}

// The first argument of a NUL-separated command line, without the quotes a
// Windows command line may put around it.
std::string FirstArgument(std::string_view commandLine)
{
    std::string_view first = commandLine.substr(0, commandLine.find('\0'));
    while (!first.empty() && first.back() == ' ') first.remove_suffix(1);
    if (first.size() >= 2 && first.front() == '"' && first.back() == '"') first = first.substr(1, first.size() - 2);
    return std::string(first);
}

} // namespace

std::vector<MappedFile> MappedFiles(std::string_view maps)
{
    // "start-end perms offset dev inode   path", the path to the end of the line.
    std::unordered_map<std::string_view, bool> executable;
    std::vector<std::pair<std::string_view, std::uint64_t>> atOffsetZero; // path, start
    while (!maps.empty()) {
        const auto end = std::min(maps.find('\n'), maps.size());
        std::string_view line = maps.substr(0, end);
        maps.remove_prefix(std::min(end + 1, maps.size()));

        const std::string_view addresses = NextField(line);
        const std::string_view permissions = NextField(line);
        const std::string_view offset = NextField(line);
        NextField(line); // device
        NextField(line); // inode
        const auto pathStart = line.find_first_not_of(' ');
        if (pathStart == std::string_view::npos || line[pathStart] != '/') continue;
        const std::string_view path = line.substr(pathStart);
        if (path.ends_with(kDeleted)) continue;
        unsigned long long value = 1;
        const auto parsed = std::from_chars(offset.data(), offset.data() + offset.size(), value, 16);
        if (parsed.ec != std::errc() || parsed.ptr != offset.data() + offset.size()) continue;
        std::uint64_t start = 0;
        if (std::from_chars(addresses.data(), addresses.data() + addresses.size(), start, 16).ec != std::errc())
            continue;

        bool& runs = executable[path];
        runs = runs || (permissions.size() >= 3 && permissions[2] == 'x');
        if (value == 0) atOffsetZero.emplace_back(path, start);
    }
    std::vector<MappedFile> files;
    files.reserve(atOffsetZero.size());
    for (const auto& [path, start] : atOffsetZero) files.push_back({std::string(path), start, executable[path]});
    return files;
}

std::optional<std::string> EnvironmentValue(std::string_view environment, std::string_view name)
{
    while (!environment.empty()) {
        const auto end = std::min(environment.find('\0'), environment.size());
        const std::string_view entry = environment.substr(0, end);
        environment.remove_prefix(std::min(end + 1, environment.size()));
        if (entry.size() > name.size() && entry.starts_with(name) && entry[name.size()] == '=')
            return std::string(entry.substr(name.size() + 1));
    }
    return std::nullopt;
}

bool IsWineLoader(std::string_view executablePath)
{
    const std::string name = text::FileNamePart(executablePath);
    return std::find(kWineLoaders.begin(), kWineLoaders.end(), name) != kWineLoaders.end();
}

std::string ReadLink(const std::string& path)
{
    std::string target(256, '\0');
    for (;;) {
        const ::ssize_t got = ::readlink(path.c_str(), target.data(), target.size());
        if (got < 0) return {};
        if (static_cast<std::size_t>(got) < target.size()) {
            target.resize(static_cast<std::size_t>(got));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

std::string OwnExecutablePath()
{
    return ReadLink("/proc/self/exe");
}

std::string ProcProcessSource::ProcessDirectory(ProcessId process) const
{
    return m_root + "/" + std::to_string(process) + "/";
}

std::string ProcProcessSource::ViewRoot(ProcessId process) const
{
    const std::string own = ReadLink(m_root + "/self/ns/mnt");
    const std::string theirs = ReadLink(ProcessDirectory(process) + "ns/mnt");
    if (own.empty() || theirs.empty() || own == theirs) return {};
    return ProcessDirectory(process) + "root";
}

std::optional<std::vector<ProcessId>> ProcProcessSource::ListProcesses()
{
    const std::unique_ptr<DIR, DirectoryCloser> dir(::opendir(m_root.c_str()));
    if (!dir) return std::nullopt;
    std::vector<ProcessId> processes;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        ProcessId id = 0;
        const auto parsed = std::from_chars(name.data(), name.data() + name.size(), id);
        if (parsed.ec == std::errc() && parsed.ptr == name.data() + name.size()) processes.push_back(id);
    }
    return processes;
}

std::optional<std::vector<LoadedModule>> ProcProcessSource::ReadModules(ProcessId process)
{
    const std::string directory = ProcessDirectory(process);
    const std::optional<std::string> maps = ReadWholeFile(directory + "maps");
    if (!maps) return std::nullopt;
    const std::string view = ViewRoot(process);
    const std::string exe = ReadLink(directory + "exe");
    const std::vector<MappedFile> mapped = MappedFiles(*maps);
    const UniqueFd memory(::open((directory + "mem").c_str(), O_RDONLY | O_CLOEXEC));
    if (IsWineLoader(exe)) return WineModules(process, view, mapped, memory.Get());

    const auto module = [&](const std::string& path) {
        return LoadedModule{text::FileNamePart(path), path, view.empty() || path.empty() ? "" : view + path};
    };
    std::vector<LoadedModule> modules{module(exe)};
    for (const MappedFile& file : mapped) {
        if (file.path == exe || !IsNativeModule(memory.Get(), view + file.path, file)) continue;
        modules.push_back(module(file.path));
    }
    return modules;
}

std::optional<std::string> ProcProcessSource::WinePrefixOf(ProcessId process)
{
    const std::string directory = ProcessDirectory(process);
    if (!IsWineLoader(ReadLink(directory + "exe"))) return std::nullopt;
    const std::optional<std::string> environment = ReadWholeFile(directory + "environ");
    if (!environment) return std::nullopt;
    const char* ownHome = std::getenv("HOME");
    const std::string home = EnvironmentValue(*environment, "HOME").value_or(ownHome != nullptr ? ownHome : "");
    return WinePrefixFor(EnvironmentValue(*environment, "WINEPREFIX").value_or(""), home).string();
}

std::vector<LoadedModule> ProcProcessSource::WineModules(ProcessId process, const std::string& view,
                                                         const std::vector<MappedFile>& mapped, int memory)
{
    const std::optional<std::string> prefix = WinePrefixOf(process);
    const WineDrives drives = prefix ? WineDrives::OfPrefix(*prefix, view) : WineDrives();

    std::vector<std::string> images;
    for (const MappedFile& file : mapped)
        if (MappedImageKind(memory, view + file.path, file) == ImageKind::Pe) images.push_back(file.path);

    std::string exe;
    if (const auto found = std::find_if(images.begin(), images.end(), EndsWithExe); found != images.end()) {
        exe = *found;
    } else if (const std::optional<std::string> commandLine = ReadWholeFile(ProcessDirectory(process) + "cmdline")) {
        const std::string program = FirstArgument(*commandLine);
        exe = drives.UnixPath(program).value_or(program.starts_with('/') ? program : "");
    }

    const auto module = [&](const std::string& path) {
        if (path.empty()) return LoadedModule{};
        const std::optional<std::string> windows = drives.WindowsPath(path);
        std::string file = windows || !view.empty() ? view + path : "";
        return LoadedModule{text::FileNamePart(path), windows.value_or(path), std::move(file)};
    };
    std::vector<LoadedModule> modules{module(exe)};
    for (const std::string& image : images)
        if (image != exe) modules.push_back(module(image));
    return modules;
}

} // namespace qx::platform
