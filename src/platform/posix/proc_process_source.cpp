#include "platform/posix/proc_process_source.h"

#include "platform/posix/descriptor_io.h"
#include "text/path_parts.h"

#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace qx::platform {

namespace {

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

} // namespace

std::vector<std::string> MappedFilesAtOffsetZero(std::string_view maps)
{
    // "start-end perms offset dev inode   path", the path to the end of the line.
    std::vector<std::string> paths;
    while (!maps.empty()) {
        const auto end = std::min(maps.find('\n'), maps.size());
        std::string_view line = maps.substr(0, end);
        maps.remove_prefix(std::min(end + 1, maps.size()));

        NextField(line); // addresses
        NextField(line); // permissions
        const std::string_view offset = NextField(line);
        NextField(line); // device
        NextField(line); // inode
        const auto pathStart = line.find_first_not_of(' ');
        if (pathStart == std::string_view::npos || line[pathStart] != '/') continue;
        unsigned long long value = 1;
        const auto parsed = std::from_chars(offset.data(), offset.data() + offset.size(), value, 16);
        if (parsed.ec != std::errc() || parsed.ptr != offset.data() + offset.size() || value != 0) continue;
        paths.emplace_back(line.substr(pathStart));
    }
    return paths;
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
    const std::string directory = m_root + "/" + std::to_string(process) + "/";
    const std::optional<std::string> maps = ReadWholeFile(directory + "maps");
    if (!maps) return std::nullopt;
    const std::string exe = ReadLink(directory + "exe");
    std::vector<LoadedModule> modules{{text::FileNamePart(exe), exe}};
    for (std::string& path : MappedFilesAtOffsetZero(*maps)) {
        if (path == exe) continue;
        std::string name = text::FileNamePart(path);
        modules.push_back({std::move(name), std::move(path)});
    }
    return modules;
}

} // namespace qx::platform
