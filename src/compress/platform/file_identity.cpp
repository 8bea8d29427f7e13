#include "compress/platform/file_identity.h"

#include <sys/stat.h>

#include "compress/platform/file_ops.h"

namespace qx::compress {

std::optional<FileIdentity> IdentifyPath(const char* path)
{
    struct stat info {};
    if (CurrentFileOps().StatPath(path, info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

std::optional<FileIdentity> IdentifyHandle(FileHandle handle)
{
    struct stat info {};
    if (CurrentFileOps().StatHandle(handle, info) != 0) return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

} // namespace qx::compress
