#include "compress/platform/handle_file.h"

#include <cerrno>
#include <fcntl.h>

#include "compress/platform/file_ops.h"
#include "compress/platform/last_error.h"

namespace qx::compress {
namespace {

FileHandle OpenWith(const char* path, int flags)
{
    const int handle = CurrentFileOps().Open(path, flags, 0666);
    if (handle < 0) {
        SetLastFileErrorFromErrno();
        return kBadHandle;
    }
    SetLastFileError(kErrorNone);
    return handle;
}

} // namespace

FileHandle OpenHandle(const char* path, HandleAccess access)
{
    return OpenWith(path, access == HandleAccess::Read ? O_RDONLY : O_WRONLY);
}

FileHandle CreateHandle(const char* path) { return OpenWith(path, O_WRONLY | O_CREAT | O_TRUNC); }

std::optional<std::uint32_t> ReadHandle(FileHandle handle, void* buffer, std::uint32_t n)
{
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint32_t total = 0;
    while (total < n) {
        const ssize_t got = CurrentFileOps().Read(handle, out + total, n - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            SetLastFileErrorFromErrno();
            // Bytes already read are handed out; the failure comes back on
            // the next read.
            if (total == 0) return std::nullopt;
            return total;
        }
        if (got == 0) break;
        total += static_cast<std::uint32_t>(got);
    }
    return total;
}

bool WriteHandle(FileHandle handle, const void* buffer, std::uint32_t n)
{
    const auto* data = static_cast<const std::uint8_t*>(buffer);
    std::uint32_t total = 0;
    while (total < n) {
        const ssize_t written = CurrentFileOps().Write(handle, data + total, n - total);
        if (written < 0) {
            if (errno == EINTR) continue;
            SetLastFileErrorFromErrno();
            return false;
        }
        if (written == 0) {
            SetLastFileError(kErrorWriteFault);
            return false;
        }
        total += static_cast<std::uint32_t>(written);
    }
    return true;
}

bool TruncateHandle(FileHandle handle, std::uint32_t length)
{
    if (CurrentFileOps().Truncate(handle, static_cast<off_t>(length)) != 0) {
        SetLastFileErrorFromErrno();
        return false;
    }
    return true;
}

bool CloseHandle(FileHandle handle)
{
    if (CurrentFileOps().Close(handle) != 0) {
        SetLastFileErrorFromErrno();
        return false;
    }
    return true;
}

} // namespace qx::compress
