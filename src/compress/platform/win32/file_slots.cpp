#include "compress/platform/file_slots.h"

#include <algorithm>

#include "compress/platform/last_error.h"
#include "compress/platform/slot_table.h"
#include "compress/platform/win32/windows_api.h"

namespace qx::compress {
namespace {

using win32::FailFromSystem;
using win32::ToHandle;

constexpr std::uint32_t kWritePiece = 4096;

void Succeed() { SetLastFileError(kErrorNone); }

bool FailWith(ErrorCode code)
{
    SetLastFileError(code);
    return false;
}

DWORD AccessOf(OpenFlags flags)
{
    return ((flags & kOpenRead) ? GENERIC_READ : 0) | ((flags & kOpenWrite) ? GENERIC_WRITE : 0);
}

DWORD SharingOf(OpenFlags flags)
{
    return ((flags & kShareRead) ? FILE_SHARE_READ : 0) | ((flags & kShareWrite) ? FILE_SHARE_WRITE : 0);
}

// One WriteFile that must write all of its bytes.
bool WriteWhole(HANDLE handle, const std::uint8_t* data, std::uint32_t n)
{
    DWORD written = 0;
    if (!WriteFile(handle, data, n, &written, nullptr)) return FailFromSystem();
    return written == n || FailWith(kErrorWriteFault);
}

bool WaitsForMore(DWORD error) { return error == ERROR_IO_PENDING || error == ERROR_SIGNAL_PENDING; }

} // namespace

void CloseSystemHandle(int handle) { ::CloseHandle(ToHandle(handle)); }

// Regular files only: a device or pipe is closed again at once.
bool OpenSlot(const char* path, OpenFlags flags, FileSlot& slot)
{
    slot = kNoSlot;
    if (!SlotTableExists()) return FailWith(kErrorInvalidHandle);
    const win32::CriticalErrorBoxesOff quiet;
    const HANDLE handle = CreateFileA(path, AccessOf(flags), SharingOf(flags), nullptr,
                                      (flags & kOpenExisting) ? OPEN_EXISTING : CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return FailFromSystem();
    if (!win32::IsRegularFile(handle)) {
        ::CloseHandle(handle);
        return false;
    }
    slot = TakeFreeSlot(win32::FromHandle(handle));
    if (slot == kNoSlot) {
        ::CloseHandle(handle);
        return FailWith(kErrorTooManyOpenFiles);
    }
    Succeed();
    return true;
}

bool ReadSlot(FileSlot slot, void* buffer, std::uint32_t n, std::uint32_t* count)
{
    Succeed();
    const int handle = SlotHandle(slot);
    std::uint32_t total = 0;
    bool ok = true;
    if (handle == kNoSystemHandle) {
        ok = FailWith(kErrorInvalidHandle);
    } else {
        auto* out = static_cast<std::uint8_t*>(buffer);
        for (;;) {
            DWORD got = 0;
            const BOOL read = ReadFile(ToHandle(handle), out + total, n - total, &got, nullptr);
            total += got;
            if (read) break;
            if (!WaitsForMore(GetLastError()) || total >= n) {
                ok = FailFromSystem();
                break;
            }
        }
    }
    if (count != nullptr) *count = total;
    return ok && (count != nullptr || total == n);
}

bool WriteSlot(FileSlot slot, const void* buffer, std::uint32_t n)
{
    const int handle = SlotHandle(slot);
    if (handle == kNoSystemHandle) return FailWith(kErrorInvalidHandle);
    if (buffer == nullptr) return FailWith(kErrorInvalidParameter);
    const auto* data = static_cast<const std::uint8_t*>(buffer);
    while (n > 0) {
        const std::uint32_t piece = std::min(n, kWritePiece);
        if (!WriteWhole(ToHandle(handle), data, piece)) return false;
        data += piece;
        n -= piece;
    }
    Succeed();
    return true;
}

bool SeekSlot(FileSlot slot, std::int32_t distance, SeekOrigin origin, std::uint32_t* newPosition)
{
    DWORD method = FILE_BEGIN;
    switch (origin) {
    case SeekOrigin::Begin: method = FILE_BEGIN; break;
    case SeekOrigin::Current: method = FILE_CURRENT; break;
    case SeekOrigin::End: method = FILE_END; break;
    default: return FailWith(kErrorInvalidParameter);
    }
    const int handle = SlotHandle(slot);
    if (handle == kNoSystemHandle) return FailWith(kErrorInvalidHandle);
    const DWORD position = SetFilePointer(ToHandle(handle), distance, nullptr, method);
    if (position == INVALID_SET_FILE_POINTER) return FailFromSystem();
    if (newPosition != nullptr) *newPosition = position;
    Succeed();
    return true;
}

bool TruncateSlot(FileSlot slot, std::uint32_t position)
{
    if (position > static_cast<std::uint32_t>(INT32_MAX)) return FailWith(kErrorInvalidParameter);
    if (!SeekSlot(slot, static_cast<std::int32_t>(position), SeekOrigin::Begin, nullptr)) return false;
    if (!SetEndOfFile(ToHandle(SlotHandle(slot)))) return FailFromSystem();
    Succeed();
    return true;
}

bool CloseSlot(FileSlot slot)
{
    const int handle = SlotHandle(slot);
    if (handle == kNoSystemHandle) return FailWith(kErrorInvalidHandle);
    const bool closed = ::CloseHandle(ToHandle(handle));
    if (!closed) SetLastFileError(GetLastError());
    GiveBackSlot(slot);
    if (closed) Succeed();
    return closed;
}

bool DeleteFileByName(const char* path)
{
    const win32::CriticalErrorBoxesOff quiet;
    if (!DeleteFileA(path)) return FailFromSystem();
    Succeed();
    return true;
}

} // namespace qx::compress
