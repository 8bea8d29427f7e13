#include "compress/platform/memory_block.h"

#include <cstdlib>

namespace qx::compress {
namespace {

class HeapSource final : public MemorySource {
public:
    void* Allocate(std::size_t bytes) override { return std::calloc(1, bytes == 0 ? 1 : bytes); }
    void Release(void* block) override { std::free(block); }
};

MemorySource*& ActiveSource()
{
    static MemorySource* source = &HeapMemorySource();
    return source;
}

} // namespace

MemorySource& HeapMemorySource()
{
    static HeapSource source;
    return source;
}

ScopedMemorySource::ScopedMemorySource(MemorySource& source) : previous_(ActiveSource())
{
    ActiveSource() = &source;
}

ScopedMemorySource::~ScopedMemorySource() { ActiveSource() = previous_; }

void* AllocBlock(std::size_t bytes) { return ActiveSource()->Allocate(bytes); }

void FreeBlock(void* block)
{
    if (block != nullptr) ActiveSource()->Release(block);
}

} // namespace qx::compress
