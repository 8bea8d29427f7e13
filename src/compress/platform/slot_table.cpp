#include "compress/platform/slot_table.h"

#include "compress/platform/memory_block.h"

namespace qx::compress {
namespace {

constexpr FileSlot kFreeHead = 0;
constexpr FileSlot kUsedHead = 1;

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
                static_cast<FileSlot>(i == kFirstSlot ? kFreeHead : i - 1), kNoSystemHandle};
}

bool InRange(FileSlot slot) { return slot >= kFirstSlot && slot <= kLastSlot; }

void Unlink(SlotEntry* e, FileSlot slot)
{
    e[e[slot].prev].next = e[slot].next;
    e[e[slot].next].prev = e[slot].prev;
}

} // namespace

FileSlot TakeFreeSlot(int handle)
{
    if (!g_table) return kNoSlot;
    SlotEntry* e = g_table->entries;
    const FileSlot slot = e[kFreeHead].next;
    if (slot == kFreeHead || e[slot].handle != kNoSystemHandle) return kNoSlot;
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
    e[slot].handle = kNoSystemHandle;
}

bool SlotTableExists() { return g_table != nullptr; }

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
    for (FileSlot slot = e[kUsedHead].next; slot != kUsedHead; slot = e[slot].next) CloseSystemHandle(e[slot].handle);
    g_table.reset();
}

int SlotHandle(FileSlot slot)
{
    if (!g_table || !InRange(slot)) return kNoSystemHandle;
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

} // namespace qx::compress
