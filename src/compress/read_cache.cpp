#include "compress/read_cache.h"

#include <algorithm>
#include <cstring>

namespace qx::compress {

bool ReadCache::Attach(FileHandle handle)
{
    buffer_ = AllocBlockArray<std::uint8_t>(kCapacity);
    if (!buffer_) return false;
    handle_ = handle;
    held_ = 0;
    error_ = kErrorNone;
    return true;
}

void ReadCache::Detach()
{
    buffer_.reset();
    handle_ = kBadHandle;
    held_ = 0;
}

std::uint32_t ReadCache::ReadFile(FileHandle handle, std::uint8_t* destination, std::uint32_t n)
{
    if (const auto got = ReadHandle(handle, destination, n)) return *got;
    error_ = LastFileError() != kErrorNone ? LastFileError() : kErrorReadFault;
    return 0;
}

std::uint32_t ReadCache::Read(FileHandle handle, void* destination, std::uint32_t n)
{
    auto* out = static_cast<std::uint8_t*>(destination);
    if (handle != handle_ || !buffer_) return ReadFile(handle, out, n);
    if (held_ >= n) {
        std::memcpy(out, Next(), n);
        held_ -= n;
        return n;
    }
    const std::uint32_t copied = held_;
    std::memcpy(out, Next(), copied);
    held_ = 0;
    const std::uint32_t wanted = n - copied;
    if (wanted >= kCapacity) return copied + ReadFile(handle, out + copied, wanted);
    const std::uint32_t got = ReadFile(handle, buffer_.get(), kCapacity);
    std::memmove(buffer_.get() + kCapacity - got, buffer_.get(), got);
    const std::uint32_t given = std::min(wanted, got);
    std::memcpy(out + copied, buffer_.get() + kCapacity - got, given);
    held_ = got - given;
    return copied + given;
}

void ReadCache::Refill()
{
    if (!buffer_) return;
    const std::uint32_t got = ReadFile(handle_, buffer_.get(), kCapacity);
    std::memmove(buffer_.get() + kCapacity - got, buffer_.get(), got);
    held_ = got;
}

} // namespace qx::compress
