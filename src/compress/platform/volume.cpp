#include "compress/platform/volume.h"

#include <cerrno>
#include <limits>
#include <string>
#include <sys/statvfs.h>

#include "compress/platform/file_ops.h"
#include "text/path_parts.h"

namespace qx::compress {

std::optional<std::int32_t> GetFreeDiskBytes(const char* path)
{
    if (path == nullptr || *path == '\0') return std::nullopt;
    struct statvfs info {};
    if (CurrentFileOps().VolumeStat(path, info) != 0) {
        if (errno != ENOENT || CurrentFileOps().VolumeStat(text::DirectoryOf(path).c_str(), info) != 0)
            return std::nullopt;
    }
    const double bytes = static_cast<double>(info.f_bavail) * static_cast<double>(info.f_frsize);
    constexpr double kMost = std::numeric_limits<std::int32_t>::max();
    return bytes > kMost ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(bytes);
}

} // namespace qx::compress
