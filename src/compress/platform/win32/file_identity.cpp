#include "compress/platform/file_identity.h"

#include "compress/platform/win32/windows_api.h"

namespace qx::compress {
namespace {

std::optional<FileIdentity> IdentityOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

} // namespace

std::optional<FileIdentity> IdentifyPath(const char* path)
{
    // No access asked: only the file's information is read. Directories
    // open only with backup semantics.
    const HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    const auto identity = IdentityOf(handle);
    ::CloseHandle(handle);
    return identity;
}

std::optional<FileIdentity> IdentifyHandle(FileHandle handle) { return IdentityOf(win32::ToHandle(handle)); }

} // namespace qx::compress
