#pragma once

// Numbered file slots: the compressor handles its source and archive as slot
// numbers 2 to 1025 of a process-wide table that lives while at least one
// user holds a reference. Every operation returns true on success and false
// on failure, with the reason in LastFileError (cleared on success).
// One thread at a time: the table is not locked.

#include <cstdint>

namespace qx::compress {

using FileSlot = std::int16_t;
inline constexpr FileSlot kNoSlot = -1;
inline constexpr int kSlotCapacity = 1024;
inline constexpr FileSlot kFirstSlot = 2;
inline constexpr FileSlot kLastSlot = kFirstSlot + kSlotCapacity - 1;

// Open flags of OpenSlot. Sharing bits have no meaning on POSIX and are kept
// only so that callers state what they allow.
using OpenFlags = std::uint16_t;
inline constexpr OpenFlags kOpenRead = 0x0001;
inline constexpr OpenFlags kOpenWrite = 0x0002;
inline constexpr OpenFlags kShareRead = 0x0004;
inline constexpr OpenFlags kShareWrite = 0x0008;
// Without it the file is created, an existing one emptied.
inline constexpr OpenFlags kOpenExisting = 0x8000;

inline constexpr OpenFlags kSourceOpenFlags = kOpenExisting | kShareWrite | kShareRead | kOpenRead; // 0x800D
inline constexpr OpenFlags kArchiveCreateFlags = kShareWrite | kShareRead | kOpenWrite;          // 0x000E

enum class SeekOrigin : int { Begin = 0, Current = 1, End = 2 };

// Takes a reference on the table, creating it with the first one. False when
// it cannot be created (no reference is then held).
bool AcquireFileSlots();
// Drops a reference; the last one frees the table (open slots are closed).
void ReleaseFileSlots();

// Opens `path` into the first free slot. On failure `slot` is kNoSlot.
bool OpenSlot(const char* path, OpenFlags flags, FileSlot& slot);

// Reads up to `n` bytes; the number read goes to `count`. Without `count`,
// success also needs all `n` bytes.
bool ReadSlot(FileSlot slot, void* buffer, std::uint32_t n, std::uint32_t* count);

// Writes all `n` bytes (in pieces of 4096); a short write is a failure.
bool WriteSlot(FileSlot slot, const void* buffer, std::uint32_t n);

// Moves the position by `distance` from `origin`; the new position goes to
// `newPosition` when given. An unknown origin fails without touching the file.
bool SeekSlot(FileSlot slot, std::int32_t distance, SeekOrigin origin, std::uint32_t* newPosition);

// Cuts (or extends) the file at `position` and leaves the position there.
bool TruncateSlot(FileSlot slot, std::uint32_t position);

// Closes the file and frees the slot; false for a slot not in use.
bool CloseSlot(FileSlot slot);

// The system handle of a slot in use, or -1 for any other number.
int SlotHandle(FileSlot slot);

// Number of slots in use (0 when the table does not exist).
int SlotsInUse();

bool DeleteFileByName(const char* path);

// A reference on the slot table for the length of a scope.
class SlotTableReference {
public:
    SlotTableReference() : held_(AcquireFileSlots()) {}
    ~SlotTableReference()
    {
        if (held_) ReleaseFileSlots();
    }
    SlotTableReference(const SlotTableReference&) = delete;
    SlotTableReference& operator=(const SlotTableReference&) = delete;

    bool Held() const { return held_; }

private:
    bool held_;
};

// An open slot, closed when the scope ends unless closed before.
class ScopedSlot {
public:
    ScopedSlot() = default;
    ~ScopedSlot() { Close(); }
    ScopedSlot(const ScopedSlot&) = delete;
    ScopedSlot& operator=(const ScopedSlot&) = delete;

    // Opens into this object, which must hold no slot.
    bool Open(const char* path, OpenFlags flags) { return OpenSlot(path, flags, slot_); }
    FileSlot get() const { return slot_; }
    // Closes now; false when the close failed. Holding no slot is a success.
    bool Close()
    {
        const FileSlot slot = slot_;
        slot_ = kNoSlot;
        return slot == kNoSlot || CloseSlot(slot);
    }

private:
    FileSlot slot_ = kNoSlot;
};

} // namespace qx::compress
