#include "platform/posix/wine_drives.h"

#include "text/ascii_case.h"

#include <system_error>
#include <vector>

namespace qx::platform {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::vector<std::string_view> Components(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        std::size_t end = 0;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::string_view part = path.substr(0, end);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return parts;
}

// The entry of `directory` named `name`: the exact spelling, else the first in
// name order that differs only in ASCII case.
std::optional<std::string> FindEntry(const fs::path& directory, std::string_view name)
{
    std::error_code error;
    if (fs::exists(directory / fs::path(std::string(name)), error)) return std::string(name);
    std::optional<std::string> best;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (text::EqualIgnoringAsciiCase(entry, name) && (!best || entry < *best)) best = std::move(entry);
    }
    return best;
}

std::string WithoutTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

} // namespace

bool HasDriveLetter(std::string_view path)
{
    return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

fs::path WinePrefixFor(std::string_view winePrefix, const fs::path& home)
{
    if (winePrefix.starts_with('/')) return fs::path(std::string(winePrefix));
    return home / ".wine";
}

WineDrives WineDrives::OfPrefix(const fs::path& prefix, const std::string& viewRoot)
{
    const fs::path dosdevices = prefix / "dosdevices";
    std::map<char, std::string> folders;
    std::error_code error;
    for (fs::directory_iterator it(viewRoot + dosdevices.string(), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() != 2 || !IsAsciiLetter(name[0]) || name[1] != ':') continue;
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (linkError) continue;
        fs::path folder = (target.is_absolute() ? target : dosdevices / target).lexically_normal();
        if (viewRoot.empty()) {
            std::error_code canonicalError;
            fs::path canonical = fs::weakly_canonical(folder, canonicalError);
            if (!canonicalError) folder = std::move(canonical);
        }
        folders[text::ToLowerAscii(name[0])] = WithoutTrailingSlash(folder.string());
    }
    WineDrives drives(std::move(folders));
    drives.m_viewRoot = viewRoot;
    return drives;
}

std::optional<std::string> WineDrives::UnixPath(std::string_view windowsPath) const
{
    if (!HasDriveLetter(windowsPath)) return std::nullopt;
    const auto drive = m_folders.find(text::ToLowerAscii(windowsPath[0]));
    if (drive == m_folders.end()) return std::nullopt;

    std::string path = drive->second;
    bool onDisk = true; // every component so far exists, so the next one can be looked up
    for (const std::string_view part : Components(windowsPath.substr(2))) {
        std::optional<std::string> entry = onDisk ? FindEntry(m_viewRoot + path, part) : std::nullopt;
        onDisk = entry.has_value();
        if (!path.ends_with('/')) path += '/';
        path += entry ? *entry : std::string(part);
    }
    return path;
}

std::optional<std::string> WineDrives::WindowsPath(std::string_view unixPath) const
{
    const std::pair<const char, std::string>* best = nullptr;
    for (const auto& drive : m_folders) {
        const std::string& folder = drive.second;
        if (folder == "/" || !unixPath.starts_with(folder)) continue;
        if (unixPath.size() > folder.size() && unixPath[folder.size()] != '/') continue;
        if (!best || folder.size() > best->second.size()) best = &drive;
    }
    if (!best) return std::nullopt;
    std::string windows{text::ToUpperAscii(best->first), ':'};
    std::string_view rest = unixPath.substr(best->second.size());
    if (rest.empty()) rest = "/";
    for (const char c : rest) windows += c == '/' ? '\\' : c;
    return windows;
}

} // namespace qx::platform
