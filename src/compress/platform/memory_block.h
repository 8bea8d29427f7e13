#pragma once

// Zero-filled memory blocks: every working table of the archive library (and
// other code of the program) relies on starting from zeros.

#include <cstddef>
#include <memory>
#include <type_traits>

namespace qx::compress {

// Where blocks come from. The default takes them from the C heap; tests put
// a source in place that refuses, to reach the out-of-memory paths.
class MemorySource {
public:
    virtual ~MemorySource() = default;
    // `bytes` zero-filled bytes, or null.
    virtual void* Allocate(std::size_t bytes) = 0;
    virtual void Release(void* block) = 0;
};

MemorySource& HeapMemorySource();

// Makes `source` the one AllocBlock and FreeBlock use while this object lives.
class ScopedMemorySource {
public:
    explicit ScopedMemorySource(MemorySource& source);
    ~ScopedMemorySource();
    ScopedMemorySource(const ScopedMemorySource&) = delete;
    ScopedMemorySource& operator=(const ScopedMemorySource&) = delete;

private:
    MemorySource* previous_;
};

// A zero-filled block of `bytes` bytes, or null when memory is missing.
void* AllocBlock(std::size_t bytes);

// Gives a block back; null is ignored.
void FreeBlock(void* block);

struct BlockDeleter {
    void operator()(void* block) const { FreeBlock(block); }
};

template <class T>
using BlockPtr = std::unique_ptr<T, BlockDeleter>;

// One zero-filled object of an implicit-lifetime type, or null.
template <class T>
BlockPtr<T> AllocBlockOf()
{
    static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_destructible_v<T>);
    return BlockPtr<T>(static_cast<T*>(AllocBlock(sizeof(T))));
}

// `count` zero-filled elements of an implicit-lifetime type, or null.
template <class T>
BlockPtr<T[]> AllocBlockArray(std::size_t count)
{
    static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_destructible_v<T>);
    return BlockPtr<T[]>(static_cast<T*>(AllocBlock(count * sizeof(T))));
}

} // namespace qx::compress
