#include "compress/output_cache.h"

#include <cstring>

namespace qx::compress {

bool OutputCache::Attach(FileHandle handle)
{
    buffer_ = AllocBlockArray<std::uint8_t>(kCapacity);
    if (!buffer_) return false;
    handle_ = handle;
    fill_ = 0;
    return true;
}

bool OutputCache::Write(FileHandle handle, const void* data, std::uint32_t n)
{
    if (handle != handle_ || !buffer_) return WriteHandle(handle, data, n);
    if (fill_ + n <= kCapacity) {
        std::memcpy(buffer_.get() + fill_, data, n);
        fill_ += n;
        return true;
    }
    const bool held = WriteHandle(handle_, buffer_.get(), fill_);
    fill_ = 0;
    if (n > kCapacity) return WriteHandle(handle_, data, n) && held;
    std::memcpy(buffer_.get(), data, n);
    fill_ = n;
    return held;
}

bool OutputCache::Flush()
{
    const FileHandle handle = handle_;
    handle_ = kBadHandle;
    const bool written = !buffer_ || WriteHandle(handle, buffer_.get(), fill_);
    buffer_.reset();
    fill_ = 0;
    return written;
}

} // namespace qx::compress
