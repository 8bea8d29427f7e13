#include "compress/platform/memory_block.h"

#include "compress/platform/win32/windows_api.h"

namespace qx::compress {
namespace {

// Zero-filled movable system memory, locked for as long as the block lives.
class GlobalMemorySource final : public MemorySource {
public:
    void* Allocate(std::size_t bytes) override
    {
        const HGLOBAL handle = GlobalAlloc(GHND, bytes == 0 ? 1 : bytes);
        if (handle == nullptr) return nullptr;
        void* block = GlobalLock(handle);
        if (block == nullptr) GlobalFree(handle);
        return block;
    }
    void Release(void* block) override
    {
        const HGLOBAL handle = GlobalHandle(block);
        if (handle == nullptr) return;
        while (GlobalUnlock(handle)) {
        }
        GlobalFree(handle);
    }
};

} // namespace

MemorySource& HeapMemorySource()
{
    static GlobalMemorySource source;
    return source;
}

} // namespace qx::compress
