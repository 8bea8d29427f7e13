#include "compress/platform/handle_file.h"

#include "compress/platform/last_error.h"
#include "compress/platform/win32/windows_api.h"

// The extractor and the size query work on the system's plain file handles
// (_lopen and friends), which are ints already.
namespace qx::compress {
namespace {

// What _lread and _lwrite return for a failure, as their unsigned count.
constexpr UINT kCountError = static_cast<UINT>(HFILE_ERROR);

// Regular files only: a device or pipe is closed again at once.
FileHandle Opened(HFILE handle)
{
    if (handle == HFILE_ERROR) {
        win32::FailFromSystem();
        return kBadHandle;
    }
    if (!win32::IsRegularFile(win32::ToHandle(handle))) {
        _lclose(handle);
        return kBadHandle;
    }
    SetLastFileError(kErrorNone);
    return handle;
}

} // namespace

FileHandle OpenHandle(const char* path, HandleAccess access)
{
    const int mode = (access == HandleAccess::Read ? OF_READ : OF_WRITE) | OF_SHARE_DENY_NONE;
    return Opened(_lopen(path, mode));
}

FileHandle CreateHandle(const char* path) { return Opened(_lcreat(path, 0)); }

std::optional<std::uint32_t> ReadHandle(FileHandle handle, void* buffer, std::uint32_t n)
{
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::uint32_t total = 0;
    while (total < n) {
        const UINT got = _lread(handle, out + total, n - total);
        if (got == kCountError) {
            win32::FailFromSystem();
            // Bytes already read are handed out; the failure comes back on
            // the next read.
            if (total == 0) return std::nullopt;
            return total;
        }
        if (got == 0) break;
        total += got;
    }
    return total;
}

bool WriteHandle(FileHandle handle, const void* buffer, std::uint32_t n)
{
    const auto* data = static_cast<const char*>(buffer);
    std::uint32_t total = 0;
    // A volume that fills up takes part of a write; the next one tells why.
    // _lwrite of no bytes would cut the file at its position: never asked.
    while (total < n) {
        const UINT written = _lwrite(handle, data + total, n - total);
        if (written == kCountError) return win32::FailFromSystem();
        if (written == 0) {
            SetLastFileError(kErrorWriteFault);
            return false;
        }
        total += written;
    }
    return true;
}

bool TruncateHandle(FileHandle handle, std::uint32_t length)
{
    if (length > static_cast<std::uint32_t>(INT32_MAX)) {
        SetLastFileError(kErrorInvalidParameter);
        return false;
    }
    const LONG position = _llseek(handle, 0, FILE_CURRENT);
    if (position == HFILE_ERROR || _llseek(handle, static_cast<LONG>(length), FILE_BEGIN) == HFILE_ERROR ||
        !SetEndOfFile(win32::ToHandle(handle)) || _llseek(handle, position, FILE_BEGIN) == HFILE_ERROR)
        return win32::FailFromSystem();
    return true;
}

bool CloseHandle(FileHandle handle)
{
    if (_lclose(handle) == HFILE_ERROR) return win32::FailFromSystem();
    return true;
}

} // namespace qx::compress
