#include "sysinfo/file_version.h"

#include "sysinfo/pe/version_info.h"
#include "sysinfo/pe/version_resource.h"

#include <algorithm>
#include <optional>

namespace qx::sysinfo {

namespace {

std::optional<std::string> VersionOf(platform::FileReader& files, const std::string& path)
{
    const std::unique_ptr<platform::ReadableFile> file = files.OpenRead(path);
    if (!file) return std::nullopt;
    const auto resource = pe::ReadVersionResource(*file);
    if (!resource) return std::nullopt;
    return pe::QueryFileVersion(*resource);
}

} // namespace

bool ReadFileVersion(platform::FileReader& files, const std::string& path, std::string& text)
{
    std::optional<std::string> version = VersionOf(files, path);
    if (!version) return false;
    text = std::move(*version);
    return true;
}

bool ReadFileVersion(platform::FileReader& files, const std::string& path, std::span<char> buffer)
{
    const std::optional<std::string> version = VersionOf(files, path);
    if (!version) return false;
    if (buffer.empty()) return true;
    const std::size_t kept = std::min(version->size(), buffer.size() - 1);
    std::copy_n(version->begin(), kept, buffer.begin());
    buffer[kept] = '\0';
    return true;
}

} // namespace qx::sysinfo
