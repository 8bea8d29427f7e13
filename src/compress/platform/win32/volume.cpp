#include "compress/platform/volume.h"

#include <cctype>
#include <limits>
#include <string>
#include <string_view>

#include "compress/platform/win32/windows_api.h"

namespace qx::compress {
namespace {

bool IsNetworkPath(std::string_view path) { return path.starts_with("\\\\"); }

// "\\server\share\" of a network path: cut after its fourth backslash, or the
// whole path with one added when it has only three.
std::string ShareRoot(std::string_view path)
{
    std::size_t at = 0;
    for (int seen = 0; seen < 4; ++seen) {
        at = path.find('\\', at);
        if (at == std::string_view::npos) return std::string(path) + '\\';
        ++at;
    }
    return std::string(path.substr(0, at));
}

std::optional<double> FreeBytesOf(const char* root)
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return std::nullopt;
    return static_cast<double>(freeClusters) * sectorsPerCluster * bytesPerSector;
}

// A share whose own root cannot be asked is connected to the first free
// drive letter from E: on for the question, then disconnected.
std::optional<double> FreeBytesThroughDrive(const std::string& root)
{
    for (char letter = 'E'; letter <= 'Z'; ++letter) {
        char drive[] = {letter, ':', '\0'};
        if (WNetAddConnectionA(root.c_str(), nullptr, drive) != NO_ERROR) continue;
        const auto bytes = FreeBytesOf(drive);
        WNetCancelConnectionA(drive, TRUE);
        return bytes;
    }
    return std::nullopt;
}

std::optional<double> FreeBytesOfVolume(const char* path)
{
    const std::string_view name(path);
    if (IsNetworkPath(name)) {
        const std::string root = ShareRoot(name);
        if (const auto bytes = FreeBytesOf(root.c_str())) return bytes;
        return FreeBytesThroughDrive(root);
    }
    if (name.size() >= 2 && name[1] == ':') {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if (letter < 'A' || letter > 'Z') return std::nullopt;
        const char root[] = {letter, ':', '\\', '\0'};
        return FreeBytesOf(root);
    }
    // A path without drive or server lies on the current directory's drive.
    return FreeBytesOf(nullptr);
}

} // namespace

std::optional<std::int32_t> GetFreeDiskBytes(const char* path)
{
    if (path == nullptr || *path == '\0') return std::nullopt;
    const win32::CriticalErrorBoxesOff quiet;
    const auto bytes = FreeBytesOfVolume(path);
    if (!bytes) return std::nullopt;
    constexpr double kMost = std::numeric_limits<std::int32_t>::max();
    return *bytes > kMost ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(*bytes);
}

} // namespace qx::compress
