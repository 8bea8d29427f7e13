#include "compress/platform/memory_block.h"

#include <cstdlib>

namespace qx::compress {
namespace {

class HeapSource final : public MemorySource {
public:
    void* Allocate(std::size_t bytes) override { return std::calloc(1, bytes == 0 ? 1 : bytes); }
    void Release(void* block) override { std::free(block); }
};

} // namespace

MemorySource& HeapMemorySource()
{
    static HeapSource source;
    return source;
}

} // namespace qx::compress
