#pragma once

// A memory source that gives the first `grant` blocks and refuses every one
// after them, to reach each out-of-memory path of a call in turn.

#include "compress/platform/memory_block.h"

namespace qx::test {

class RefusingMemory : public compress::MemorySource {
public:
    explicit RefusingMemory(int grant) : grant_(grant) {}
    void* Allocate(std::size_t bytes) override
    {
        return count_++ >= grant_ ? nullptr : compress::HeapMemorySource().Allocate(bytes);
    }
    void Release(void* block) override { compress::HeapMemorySource().Release(block); }
    int Requests() const { return count_; }

private:
    int grant_;
    int count_ = 0;
};

} // namespace qx::test
