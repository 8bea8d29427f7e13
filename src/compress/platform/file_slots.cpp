#include "compress/platform/file_slots.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

#include "compress/platform/file_ops.h"
#include "compress/platform/last_error.h"
#include "compress/platform/slot_table.h"

namespace qx::compress {
namespace {

constexpr int kNoHandle = kNoSystemHandle;
constexpr std::uint32_t kWritePiece = 4096;

int OpenFlagsToPosix(OpenFlags flags)
{
    int posix = (flags & kOpenRead) && (flags & kOpenWrite) ? O_RDWR : (flags & kOpenWrite) ? O_WRONLY : O_RDONLY;
    if (!(flags & kOpenExisting)) posix |= O_CREAT | O_TRUNC;
    return posix;
}

void Succeed() { SetLastFileError(kErrorNone); }

bool FailWith(ErrorCode code)
{
    SetLastFileError(code);
    return false;
}

bool FailFromErrno()
{
    SetLastFileErrorFromErrno();
    return false;
}

// Writes all of `n` bytes, continuing after partial writes; a write that
// makes no progress without an error is a write fault.
bool WriteWhole(int handle, const std::uint8_t* data, std::uint32_t n)
{
    while (n > 0) {
        const ssize_t written = CurrentFileOps().Write(handle, data, n);
        if (written < 0) {
            if (errno == EINTR) continue;
            return FailFromErrno();
        }
        if (written == 0) return FailWith(kErrorWriteFault);
        data += written;
        n -= static_cast<std::uint32_t>(written);
    }
    return true;
}

} // namespace

void CloseSystemHandle(int handle) { CurrentFileOps().Close(handle); }

bool OpenSlot(const char* path, OpenFlags flags, FileSlot& slot)
{
    slot = kNoSlot;
    if (!SlotTableExists()) return FailWith(kErrorInvalidHandle);
    const int handle = CurrentFileOps().Open(path, OpenFlagsToPosix(flags), 0666);
    if (handle < 0) return FailFromErrno();
    slot = TakeFreeSlot(handle);
    if (slot == kNoSlot) {
        CurrentFileOps().Close(handle);
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
    if (handle == kNoHandle) {
        ok = FailWith(kErrorInvalidHandle);
    } else {
        auto* out = static_cast<std::uint8_t*>(buffer);
        while (total < n) {
            const ssize_t got = CurrentFileOps().Read(handle, out + total, n - total);
            if (got < 0) {
                if (errno == EINTR) continue;
                // Bytes already read are a successful read, as one system
                // read would report them; the failure comes on the next call.
                if (total == 0) ok = FailFromErrno();
                break;
            }
            if (got == 0) break;
            total += static_cast<std::uint32_t>(got);
        }
    }
    if (count != nullptr) *count = total;
    return ok && (count != nullptr || total == n);
}

bool WriteSlot(FileSlot slot, const void* buffer, std::uint32_t n)
{
    const int handle = SlotHandle(slot);
    if (handle == kNoHandle) return FailWith(kErrorInvalidHandle);
    if (buffer == nullptr) return FailWith(kErrorInvalidParameter);
    const auto* data = static_cast<const std::uint8_t*>(buffer);
    while (n > 0) {
        const std::uint32_t piece = std::min(n, kWritePiece);
        if (!WriteWhole(handle, data, piece)) return false;
        data += piece;
        n -= piece;
    }
    Succeed();
    return true;
}

bool SeekSlot(FileSlot slot, std::int32_t distance, SeekOrigin origin, std::uint32_t* newPosition)
{
    int whence = 0;
    switch (origin) {
    case SeekOrigin::Begin: whence = SEEK_SET; break;
    case SeekOrigin::Current: whence = SEEK_CUR; break;
    case SeekOrigin::End: whence = SEEK_END; break;
    default: return FailWith(kErrorInvalidParameter);
    }
    const int handle = SlotHandle(slot);
    if (handle == kNoHandle) return FailWith(kErrorInvalidHandle);
    const off_t position = CurrentFileOps().Seek(handle, distance, whence);
    if (position < 0) return FailWith(errno == EINVAL ? kErrorNegativeSeek : ErrorFromErrno(errno));
    if (newPosition != nullptr) *newPosition = static_cast<std::uint32_t>(position);
    Succeed();
    return true;
}

bool TruncateSlot(FileSlot slot, std::uint32_t position)
{
    const int handle = SlotHandle(slot);
    if (handle == kNoHandle) return FailWith(kErrorInvalidHandle);
    if (CurrentFileOps().Seek(handle, static_cast<off_t>(position), SEEK_SET) < 0) return FailFromErrno();
    if (CurrentFileOps().Truncate(handle, static_cast<off_t>(position)) != 0) return FailFromErrno();
    Succeed();
    return true;
}

bool CloseSlot(FileSlot slot)
{
    const int handle = SlotHandle(slot);
    if (handle == kNoHandle) return FailWith(kErrorInvalidHandle);
    const bool closed = CurrentFileOps().Close(handle) == 0;
    if (!closed) SetLastFileErrorFromErrno();
    GiveBackSlot(slot);
    if (closed) Succeed();
    return closed;
}

bool DeleteFileByName(const char* path)
{
    if (CurrentFileOps().Remove(path) != 0) return FailFromErrno();
    Succeed();
    return true;
}

} // namespace qx::compress
