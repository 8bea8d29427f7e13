#include "compress/platform/file_slots.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>

#include "compress/platform/file_ops.h"
#include "compress/platform/last_error.h"
#include "compress/platform/memory_block.h"

namespace qx::compress {
namespace {

constexpr int kNoHandle = -1;
constexpr FileSlot kFreeHead = 0;
constexpr FileSlot kUsedHead = 1;
constexpr std::uint32_t kWritePiece = 4096;

// Entry 0 heads the free list (its handle field holds the capacity), entry 1
// the list of slots in use; both lists are circular through their head.
struct SlotEntry {
    FileSlot next;
    FileSlot prev;
    int handle;
};

struct SlotTable {
    SlotEntry entries[kSlotCapacity + 2];
};

BlockPtr<SlotTable> g_table;
int g_references = 0;

void InitialiseTable(SlotTable& table)
{
    SlotEntry* e = table.entries;
    e[kFreeHead] = {kFirstSlot, kLastSlot, kSlotCapacity};
    e[kUsedHead] = {kUsedHead, kUsedHead, 0};
    for (int i = kFirstSlot; i <= kLastSlot; ++i)
        e[i] = {static_cast<FileSlot>(i == kLastSlot ? kFreeHead : i + 1),
                static_cast<FileSlot>(i == kFirstSlot ? kFreeHead : i - 1), kNoHandle};
}

bool InRange(FileSlot slot) { return slot >= kFirstSlot && slot <= kLastSlot; }

void Unlink(SlotEntry* e, FileSlot slot)
{
    e[e[slot].prev].next = e[slot].next;
    e[e[slot].next].prev = e[slot].prev;
}

// Moves the first free slot to the head of the list in use; kNoSlot when none.
FileSlot TakeFreeSlot(int handle)
{
    SlotEntry* e = g_table->entries;
    const FileSlot slot = e[kFreeHead].next;
    if (slot == kFreeHead || e[slot].handle != kNoHandle) return kNoSlot;
    Unlink(e, slot);
    e[slot].next = e[kUsedHead].next;
    e[slot].prev = kUsedHead;
    e[e[kUsedHead].next].prev = slot;
    e[kUsedHead].next = slot;
    e[slot].handle = handle;
    return slot;
}

void GiveBackSlot(FileSlot slot)
{
    SlotEntry* e = g_table->entries;
    Unlink(e, slot);
    e[slot].next = e[kFreeHead].next;
    e[e[kFreeHead].next].prev = slot;
    e[kFreeHead].next = slot;
    e[slot].prev = kFreeHead;
    e[slot].handle = kNoHandle;
}

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

bool AcquireFileSlots()
{
    if (g_references == 0) {
        g_table = AllocBlockOf<SlotTable>();
        if (!g_table) return false;
        InitialiseTable(*g_table);
    }
    ++g_references;
    return true;
}

void ReleaseFileSlots()
{
    if (g_references == 0) return;
    if (--g_references > 0) return;
    SlotEntry* e = g_table->entries;
    for (FileSlot slot = e[kUsedHead].next; slot != kUsedHead; slot = e[slot].next)
        CurrentFileOps().Close(e[slot].handle);
    g_table.reset();
}

bool OpenSlot(const char* path, OpenFlags flags, FileSlot& slot)
{
    slot = kNoSlot;
    if (!g_table) return FailWith(kErrorInvalidHandle);
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

int SlotHandle(FileSlot slot)
{
    if (!g_table || !InRange(slot)) return kNoHandle;
    return g_table->entries[slot].handle;
}

int SlotsInUse()
{
    if (!g_table) return 0;
    int count = 0;
    const SlotEntry* e = g_table->entries;
    for (FileSlot slot = e[kUsedHead].next; slot != kUsedHead; slot = e[slot].next) ++count;
    return count;
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
