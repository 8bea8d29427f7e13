#include "compress/platform/memory_block.h"

namespace qx::compress {
namespace {

MemorySource*& ActiveSource()
{
    static MemorySource* source = &HeapMemorySource();
    return source;
}

} // namespace

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
