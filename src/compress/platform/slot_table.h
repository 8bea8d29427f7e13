#pragma once

// The table behind the numbered file slots, shared by the POSIX and the
// Win32 file layers: they differ only in the system calls made on the
// handles it stores. A handle is kept as an int (a descriptor, or a Win32
// handle, whose value always fits 32 bits).

#include "compress/platform/file_slots.h"

namespace qx::compress {

inline constexpr int kNoSystemHandle = -1;

// Puts `handle` into the first free slot and returns its number; kNoSlot
// when the table does not exist or no slot is free.
FileSlot TakeFreeSlot(int handle);

// Frees a slot in use; its handle is not closed.
void GiveBackSlot(FileSlot slot);

bool SlotTableExists();

// Closes a slot's system handle, as the platform does it; the last
// reference on the table closes every slot still open with it.
void CloseSystemHandle(int handle);

} // namespace qx::compress
